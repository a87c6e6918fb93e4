#pragma once

#include "training/ExerciseKind.h"

#include <QString>

#include <array>
#include <optional>

struct PanelEdge {
    int left = 0;
    int right = 0;
};

// Left and right pixel edges of the four status panels, laid side by side from x = 0.
using StatusPanelEdges = std::array<PanelEdge, 4>;
StatusPanelEdges statusPanelEdges(const std::array<int, 4>& widths);

// The hint of a status panel for the exercise that is active.
QString statusPanelHint(ExerciseKind kind, int panel);

struct StatusHint {
    PanelEdge edges;
    QString text;
};

// The hint to show for the mouse at x, or nothing when the current hint (whose panel spans
// currentLeft < x <= currentRight) stays. Panels are tested 0, 1, 2 and then 3, so on a
// shared border the later panel wins.
std::optional<StatusHint> statusHintAt(int x, int currentLeft, int currentRight,
                                       const StatusPanelEdges& edges, ExerciseKind kind);
