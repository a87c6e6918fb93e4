#pragma once

#include <QStringList>

// The training tips of the three exercise kinds, each list in the order its tips are shown.
// A line break in a tip is a single line feed.
const QStringList& TextAdviceTexts();
const QStringList& StringAdviceTexts();
const QStringList& TableAdviceTexts();

// Returns the position of the tip to show now in a list of count tips and moves index on to
// the tip after it, going round to the first after the last. An index outside the list (a
// damaged setting) starts again at the first tip.
int takeNextAdvice(int& index, int count);
