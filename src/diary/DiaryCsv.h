#pragma once

#include "diary/DiaryStore.h"

#include <QIODevice>

#include <vector>

// Writes records as a table for spreadsheet programs: UTF-8 with a byte-order mark so that
// Cyrillic reads right, fields separated by semicolons and decimals with a comma, as Russian
// spreadsheets expect, a heading line first. Returns false when the device refused a write.
bool writeDiaryCsv(QIODevice& out, const std::vector<DiaryRecord>& records);

// One field as the table holds it: quoted when it holds a separator, a quote or a line break,
// and with a leading apostrophe when it starts as a formula would (=, +, -, @, tab, CR).
QString diaryCsvField(const QString& value);
