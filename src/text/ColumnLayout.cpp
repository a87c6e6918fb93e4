#include "text/ColumnLayout.h"

#include "training/TrainingState.h"

#include <algorithm>

namespace ColumnLayout {

Metrics metricsOf(const TrainingState& state) {
    return {state.CharWidth(), state.EdgeWidth(), state.FrameWidth(), state.ScrollWidth()};
}

int gripWidth(const Metrics& m) {
    return std::max(2 * m.edgeWidth, MinimumGripWidth);
}

int columnChars(int rulerWidth, const Metrics& m) {
    return (rulerWidth - m.edgeWidth4()) / m.charWidth;
}

int snappedWidth(int rulerWidth, const Metrics& m) {
    return columnChars(rulerWidth, m) * m.charWidth + m.edgeWidth4();
}

int minimumWindowWidth(int rulerWidth, const Metrics& m) {
    return m.windowChrome() + rulerWidth;
}

int visibleWidth(int mainClientWidth, const Metrics& m) {
    return mainClientWidth - 2 * m.frameWidth;
}

int rulerLeft(int clientWidth, int rulerWidth) {
    return (clientWidth - rulerWidth) / 2;
}

int Limits::clamp(int width) const {
    return std::max(minimum, std::min(width, maximum));
}

Limits columnLimits(int clientWidth, int fieldWidth, const Metrics& m) {
    return {m.charWidth * fieldWidth + m.edgeWidth4(),
            clientWidth - 2 * (m.scrollWidth + m.edgeWidth)};
}

FitResult fitFontToWindow(int fieldWidth, int windowWidth, const Metrics& m,
                          const QStringList& sizes, int selectedIndex, int fontSize,
                          const std::function<int(int size)>& measure) {
    FitResult result{false, fontSize, m.charWidth};
    const int need = fieldWidth * m.charWidth + m.edgeWidth4() + m.windowChrome();
    if (need <= windowWidth)
        return result;
    result.warning = true;
    const int limit = (windowWidth - m.windowChrome() - m.edgeWidth4()) / std::max(1, fieldWidth);
    // The first pass applies the size already selected; the first entry is never applied.
    for (int i = selectedIndex; result.charWidth > limit && i > 0 && i < sizes.size(); --i) {
        result.fontSize = sizes.at(i).toInt();
        result.charWidth = measure(result.fontSize);
    }
    return result;
}

} // namespace ColumnLayout
