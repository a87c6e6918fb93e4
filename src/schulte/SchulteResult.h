#pragma once

#include "schulte/SchulteTable.h"

#include <QDateTime>
#include <QString>

// What a Schulte run leaves behind, for the result dialog and for whoever keeps records.
struct SchulteResult {
    QDateTime Finished;
    int Side = 0;
    SchulteVariant Variant = SchulteVariant::Numbers;
    int Cells = 0;     // cells in the table
    int Found = 0;     // cells found in order
    int Mistakes = 0;  // wrong cells chosen
    qint64 TimeMs = 0; // from the table's first showing to the last find, or to the stop
    bool Stopped = false;
    qint64 BestMs = 0; // best time for this size and variant after the run; 0 when none yet

    bool isNewBest() const { return !Stopped && BestMs == TimeMs && TimeMs > 0; }
};

namespace SchulteFigures {

// Seconds with one decimal and a decimal comma: 25400 ms is "25,4".
QString seconds(qint64 ms);
// Seconds per cell with two decimals: 25400 ms over 25 cells is "1,02".
QString secondsPerCell(qint64 ms, int cells);
// "5 x 5, числа" and the like, naming a table.
QString tableName(int side, SchulteVariant variant);

} // namespace SchulteFigures
