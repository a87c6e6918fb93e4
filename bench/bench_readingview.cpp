// Speed of the reading view on long texts: one playback step with its repaint, a full
// repaint, and wrapping. Texts are one paragraph of Russian words, the column 40 digit
// widths wide, as a reader would set it.

#include "readingview/CharAdvances.h"
#include "readingview/LineTable.h"
#include "readingview/ReadingView.h"

#include <QAccessible>
#include <QApplication>
#include <QFontMetricsF>
#include <QImage>
#include <QPaintEvent>
#include <QScrollBar>

#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

namespace {

const QColor Silver(192, 192, 192);
constexpr int FieldWidth = 10;
constexpr int ColumnChars = 40;

QString russianParagraph(qsizetype size) {
    static const char* const words[] = {
        "и",       "в",          "не",       "на",           "что",
        "река",    "город",      "дорога",   "вечером",      "осторожно",
        "длинный", "окно",       "читать",   "быстро",       "страница",
        "мы",      "строка",     "внимание", "пространство", "тишина",
        "поле",    "глаз",       "взгляд",   "книга",        "слово",
        "зрение",  "упражнение", "скорость", "понимание",    "текст",
        "память",  "утро",       "лес",      "дом",          "самостоятельно",
        "по",      "из",         "за",       "когда",        "человек"};
    constexpr int count = int(sizeof(words) / sizeof(words[0]));
    QList<QString> list;
    for (const char* w : words)
        list << QString::fromUtf8(w);
    QString text;
    text.reserve(size + 32);
    quint32 state = 12345;
    while (text.size() < size) {
        state = state * 1664525u + 1013904223u;
        text += list[int((state >> 8) % count)];
        text += u' ';
    }
    text.truncate(size);
    return text;
}

QFont benchFont() {
    QFont font("Arial");
    font.setPixelSize(16);
    return font;
}

int columnPixels(const QFont& font) {
    return int(std::ceil(QFontMetricsF(font).horizontalAdvance(QChar(u'0')) * ColumnChars));
}

// Counts the paint events of the viewport, to show that a step really repaints.
class PaintCounter : public QObject {
public:
    using QObject::QObject;
    int paints = 0;
    qint64 paintedRows = 0; // pixel rows repainted

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
            for (const QRect& r : static_cast<QPaintEvent*>(event)->region())
                paintedRows += r.height();
        }
        return false;
    }
};

struct View {
    ReadingView view;
    explicit View(const QString& text) {
        view.resize(800, 600);
        view.setTextFont(benchFont());
        view.setBaseColor(Silver);
        view.setColumn(20, 20 + columnPixels(benchFont()));
        view.setSelectionHidden(true);
        view.setEnabled(false); // as during a run
        view.show();
        view.setText(text);
        view.lineCount(); // lay out before timing
        QApplication::processEvents();
    }
};

enum class Mode { Dynamic, Static };

// One step of playback, as the text window does it: paint the old field silver, skip blanks,
// take the next field of whole words on the caret's line, scroll (dynamic: turn the page when
// the field leaves the view; static: keep its line in the middle), select the field and
// paint it black.
bool playbackStep(ReadingView& v, int& fieldStart, int& fieldEnd, Mode mode) {
    v.setRangeColor(fieldStart, fieldEnd - fieldStart, Silver);
    fieldStart = fieldEnd;
    const QString& t = v.text();
    const int length = v.length();
    while (fieldStart < length &&
           (t[fieldStart] == u' ' || t[fieldStart] == u'\r' || t[fieldStart] == u'\n'))
        ++fieldStart;
    if (fieldStart >= length)
        return false;
    v.setCaretPosition(fieldStart);
    const int line = v.lineFromPosition(fieldStart);
    const int x = fieldStart - v.lineStart(line);
    const QString l = v.lineText(line);
    const int len = int(l.size());
    const int e = x + FieldWidth;
    int m = 0;
    if (len < e) {
        m = len - x;
    } else {
        int k = e;
        // The end of the line does not count as a blank here.
        while (k > x && (k >= len || l[k] != u' '))
            --k;
        if (k == x) {
            k = e;
            while (k < len && l[k] != u' ')
                ++k;
        }
        m = k - x;
    }
    const int visible = v.visibleLineCount();
    const int below = line - v.firstVisibleLine();
    if (mode == Mode::Dynamic && below >= visible)
        v.scrollLines(visible);
    else if (mode == Mode::Static && below > visible / 2)
        v.scrollLines(1);
    fieldEnd = fieldStart + m;
    v.setSelection(fieldStart, m);
    v.setRangeColor(fieldStart, m, Qt::black);
    return true;
}

void playback(benchmark::State& state, Mode mode) {
    View fixture(russianParagraph(state.range(0)));
    ReadingView& v = fixture.view;
    int fieldStart = 0;
    int fieldEnd = 0;
    std::vector<double> times;
    times.reserve(1 << 16);
    int pageTurns = 0;
    PaintCounter counter;
    v.viewport()->installEventFilter(&counter);
    for (auto _ : state) {
        const int first = v.firstVisibleLine();
        const auto t0 = std::chrono::steady_clock::now();
        const bool more = playbackStep(v, fieldStart, fieldEnd, mode);
        QApplication::processEvents(); // paints what the step touched
        const auto t1 = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
        pageTurns += v.firstVisibleLine() != first;
        if (!more) {
            state.PauseTiming();
            v.scrollToTop();
            fieldStart = fieldEnd = 0;
            QApplication::processEvents();
            state.ResumeTiming();
        }
    }
    std::sort(times.begin(), times.end());
    state.counters["median_us"] = times[times.size() / 2];
    state.counters["p95_us"] = times[times.size() * 95 / 100];
    state.counters["max_us"] = times.back();
    state.counters["scrolls"] = pageTurns;
    state.counters["paints_per_step"] = double(counter.paints) / double(times.size());
    state.counters["lines_painted_per_step"] =
        double(counter.paintedRows) / v.lineHeight() / double(times.size());
    state.counters["lines"] = v.lineCount();
}

void BM_PlaybackStep(benchmark::State& state) {
    playback(state, Mode::Dynamic);
}
void BM_PlaybackStepStatic(benchmark::State& state) {
    playback(state, Mode::Static);
}

// Repaint of the whole viewport, as after a page turn.
void BM_FullRepaint(benchmark::State& state) {
    View fixture(russianParagraph(state.range(0)));
    ReadingView& v = fixture.view;
    v.scrollLines(v.lineCount() / 2);
    v.setRangeColor(v.lineStart(v.firstVisibleLine() + 3), 9, Qt::black);
    QImage image(v.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        v.viewport()->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["visible_lines"] = v.visibleLineCount();
}

// Wrapping alone, with the advances already measured.
void BM_Wrap(benchmark::State& state) {
    const QString text = russianParagraph(state.range(0));
    const QFontMetricsF metrics(benchFont());
    CharAdvances advances([&metrics](char32_t c) {
        return qint32(qRound(metrics.horizontalAdvance(QChar(char16_t(c))) * CharAdvances::Unit));
    });
    const int column = columnPixels(benchFont());
    LineTable table;
    table.build(text, advances, column);
    for (auto _ : state) {
        table.build(text, advances, column);
        benchmark::DoNotOptimize(table.lineCount());
    }
    state.counters["lines"] = table.lineCount();
    state.SetBytesProcessed(state.iterations() * text.size() * qint64(sizeof(QChar)));
}

// Replacing the text of the view and laying it out, font measured from scratch.
void BM_SetTextAndLayout(benchmark::State& state) {
    const QString text = russianParagraph(state.range(0));
    ReadingView v;
    v.resize(800, 600);
    v.setColumn(20, 20 + columnPixels(benchFont()));
    for (auto _ : state) {
        v.setTextFont(benchFont()); // new, empty advance cache
        v.setText(text);
        benchmark::DoNotOptimize(v.lineCount());
    }
}

// What a screen reader asks when the caret moves: the caret, then the character, word,
// sentence and display line around it.
void BM_AccessibleQueries(benchmark::State& state) {
    const QString text = russianParagraph(state.range(0));
    ReadingView v;
    v.resize(800, 600);
    v.setTextFont(benchFont());
    v.setColumn(20, 20 + columnPixels(benchFont()));
    v.setText(text);
    v.setCaretPosition(int(text.size() / 2));
    QAccessibleTextInterface* reader = QAccessible::queryAccessibleInterface(&v)->textInterface();
    int start = 0;
    int end = 0;
    for (auto _ : state) {
        const int caret = reader->cursorPosition();
        for (auto unit : {QAccessible::CharBoundary, QAccessible::WordBoundary,
                          QAccessible::SentenceBoundary, QAccessible::LineBoundary})
            benchmark::DoNotOptimize(reader->textAtOffset(caret, unit, &start, &end));
    }
}

constexpr qint64 KB = 1024;
constexpr qint64 MB = 1024 * 1024;

} // namespace

BENCHMARK(BM_PlaybackStep)
    ->Arg(10 * KB)
    ->Arg(100 * KB)
    ->Arg(1 * MB)
    ->Arg(4 * MB)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(1.0);
BENCHMARK(BM_PlaybackStepStatic)
    ->Arg(10 * KB)
    ->Arg(4 * MB)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(1.0);
BENCHMARK(BM_FullRepaint)->Arg(10 * KB)->Arg(4 * MB)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Wrap)->Arg(10 * KB)->Arg(100 * KB)->Arg(1 * MB)->Arg(4 * MB)->Unit(
    benchmark::kMillisecond);
BENCHMARK(BM_SetTextAndLayout)->Arg(4 * MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AccessibleQueries)->Arg(10 * KB)->Arg(4 * MB)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
