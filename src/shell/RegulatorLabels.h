#pragma once

class QLabel;

// Places the three texts under the speed track bar: the scale's low end at the left, its high
// end at the right, and the current speed in the room between them, wide enough for the
// longest speed ("10000 симв/мин"); its face gets smaller if the room is too narrow for it.
void layOutRegulatorLabels(QLabel& low, QLabel& speed, QLabel& high, int panelWidth);
