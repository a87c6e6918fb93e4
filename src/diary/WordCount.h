#pragma once

#include <QStringView>

// Counts the words of a text as a reader passes over them. A word is a run of letters and
// digits; a hyphen or an apostrophe between two of them keeps the run whole ("кто-то",
// "rock'n'roll"), as does a point or comma between digits ("3,14") and a blank that separates
// groups of three digits ("10 000"). Dashes, quotes and other signs standing alone are no words.
int countWords(QStringView text);
