#include "shell/StatusHints.h"

#include "training/ExerciseKinds.h"

StatusPanelEdges statusPanelEdges(const std::array<int, 4>& widths) {
    StatusPanelEdges edges;
    int x = 0;
    for (int i = 0; i < 4; ++i) {
        edges[i].left = x;
        x += widths[i];
        edges[i].right = x;
    }
    return edges;
}

QString statusPanelHint(ExerciseKind kind, int panel) {
    return panel >= 0 && panel < 4 ? describe(kind).PanelHints.at(std::size_t(panel)) : QString();
}

std::optional<StatusHint> statusHintAt(int x, int currentLeft, int currentRight,
                                       const StatusPanelEdges& edges, ExerciseKind kind) {
    if (currentLeft < x && x <= currentRight)
        return std::nullopt;
    std::optional<StatusHint> hint;
    for (int panel = 0; panel < 3; ++panel) {
        if (edges[panel].left <= x && x <= edges[panel].right)
            hint = StatusHint{edges[panel], statusPanelHint(kind, panel)};
    }
    if (x >= edges[3].left)
        hint = StatusHint{edges[3], statusPanelHint(kind, 3)};
    return hint;
}
