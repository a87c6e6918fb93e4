#include "shell/StatusHints.h"

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
    switch (panel) {
    case 0:
        switch (kind) {
        case ExerciseKind::Text:
        case ExerciseKind::Schulte: // these show the text's recommendations
        case ExerciseKind::Flash:
            return QStringLiteral("Рекомендуемая скорость проигрывания текста");
        case ExerciseKind::FieldOfView:
            return QStringLiteral("Рекомендуемая скорость изменения чисел");
        case ExerciseKind::Table:
            return QStringLiteral("Рекомендуемая скорость проигрывания таблиц");
        }
        break;
    case 1:
        return kind == ExerciseKind::Table ? QStringLiteral("Рекомендуемая ширина таблицы")
                                           : QStringLiteral("Рекомендуемая ширина поля чтения");
    case 2:
        switch (kind) {
        case ExerciseKind::Text:
        case ExerciseKind::Schulte:
        case ExerciseKind::Flash:
            return QStringLiteral("Скорость проигрывания текста");
        case ExerciseKind::FieldOfView:
            return QStringLiteral("Скорость изменения чисел");
        case ExerciseKind::Table:
            return QStringLiteral("Скорость проигрывания таблиц");
        }
        break;
    case 3:
        switch (kind) {
        case ExerciseKind::Text:
            return QStringLiteral("Объем текста");
        case ExerciseKind::Schulte:
            return QStringLiteral("Что найти следующим");
        default:
            return QString();
        }
    }
    return {};
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
