#include "diary/DiaryCharts.h"

#include "diary/ChartScale.h"
#include "diary/DiaryProgress.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QGridLayout>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>

namespace {

enum ChartIndex { Speed, Comprehension, FieldWidth, Tables, Schulte, TimePerDay, ChartCount };

constexpr qint64 DayMs = 24 * 60 * 60 * 1000;

const QColor Blue(0x22, 0x32, 0xA6);
const QColor Maroon(0x80, 0, 0);
const QColor Green(0x1E, 0x7A, 0x3A);
const QColor Orange(0xC0, 0x60, 0x00);
const QColor Purple(0x70, 0x30, 0xA0);
const QColor Teal(0x00, 0x80, 0x80);

// The middle of a day, where its points stand, in ms since the epoch.
qreal dayMiddleMs(const QDate& day) {
    return qreal(day.startOfDay().toMSecsSinceEpoch()) + DayMs / 2.0;
}

// A time axis from the first day to the last with a day to spare at either end, so that no
// point stands on the frame; its labels are dates under the middles of the days they name,
// the last day always among them.
QAbstractAxis* timeAxis(const QDate& first, const QDate& last) {
    auto* axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    const QString format =
        first.daysTo(last) > 366 ? QStringLiteral("dd.MM.yy") : QStringLiteral("dd.MM");
    const qreal low = dayMiddleMs(first) - DayMs, high = dayMiddleMs(last) + DayMs;
    axis->setRange(low, high);
    axis->setStartValue(low);
    for (const QDate& day : ChartScale::labelledDays(first, last, 7))
        axis->append(day.toString(format), dayMiddleMs(day));
    return axis;
}

// A value axis from zero (or just under the lowest value) to a little above the highest, in
// steps whose labels all differ; per cent always from 0 to 100.
QValueAxis* valueAxis(const QString& title, qreal low, qreal high, bool fromZero) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setTickType(QValueAxis::TicksDynamic);
    if (title == QLatin1String("%")) {
        // A little above 100 so that a line at 100 stays clear of the frame.
        axis->setLabelFormat(QStringLiteral("%.0f"));
        axis->setRange(0, 104);
        axis->setTickAnchor(0);
        axis->setTickInterval(25);
        return axis;
    }
    const ChartScale::Values scale = ChartScale::values(
        fromZero ? 0 : std::max<qreal>(0, low * 0.9), high <= 0 ? 1 : high * 1.05, 5);
    axis->setLabelFormat(QStringLiteral("%.") + QString::number(scale.decimals) + QLatin1Char('f'));
    axis->setRange(scale.low, scale.high);
    axis->setTickAnchor(scale.low);
    axis->setTickInterval(scale.step);
    return axis;
}

void bounds(const QList<QPointF>& points, qreal& low, qreal& high) {
    for (const QPointF& p : points) {
        low = std::min(low, p.y());
        high = std::max(high, p.y());
    }
}

// A measure's points and the line through its daily best, against the given axes. The legend
// names the line only.
void addMeasure(QChart* chart, const ProgressSeries& measure, const QString& name,
                const QColor& colour, QAbstractAxis* x, QAbstractAxis* y) {
    auto* points = new QScatterSeries;
    points->setMarkerSize(6);
    points->setColor(colour.lighter(160));
    points->setBorderColor(colour.lighter(160));
    points->append(measure.points);
    auto* best = new QLineSeries;
    best->setName(name);
    best->setColor(colour);
    best->setPointsVisible(true);
    best->append(measure.dailyBest);
    for (QAbstractSeries* series :
         {static_cast<QAbstractSeries*>(points), static_cast<QAbstractSeries*>(best)}) {
        chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
    }
    chart->legend()->markers(points).first()->setVisible(false);
}

void resetChart(QChart* chart) {
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
}

// Series of one measure in one chart with one value axis. The chart of a single measure names
// its line as the daily best; a chart of several (tables of each size, tests of each kind)
// names each line by its series' own name.
bool drawMeasure(QChartView* view, const QList<ProgressSeries>& measure, const QString& unit,
                 const QList<QColor>& colours, const QDate& first, const QDate& last,
                 bool fromZero) {
    QChart* chart = view->chart();
    resetChart(chart);
    QList<const ProgressSeries*> drawn;
    for (const ProgressSeries& series : measure) {
        if (!series.isEmpty())
            drawn.append(&series);
    }
    if (drawn.isEmpty())
        return false;
    qreal low = drawn.first()->dailyBest.first().y(), high = low;
    for (const ProgressSeries* series : drawn) {
        bounds(series->points, low, high);
        bounds(series->dailyBest, low, high);
    }
    QAbstractAxis* x = timeAxis(first, last);
    QAbstractAxis* y = valueAxis(unit, low, high, fromZero);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (int i = 0; i < drawn.size(); ++i)
        addMeasure(chart, *drawn[i],
                   measure.size() == 1 ? QStringLiteral("Лучший результат за день")
                                       : drawn[i]->name,
                   colours[i % colours.size()], x, y);
    return true;
}

bool drawSpeed(QChartView* view, const DiaryProgress& progress, const QDate& first,
               const QDate& last) {
    QChart* chart = view->chart();
    resetChart(chart);
    if (progress.charsPerMinute.isEmpty())
        return false;
    qreal charsLow = progress.charsPerMinute.dailyBest.first().y(), charsHigh = charsLow;
    bounds(progress.charsPerMinute.points, charsLow, charsHigh);
    bounds(progress.charsPerMinute.dailyBest, charsLow, charsHigh);
    qreal wordsLow = 0, wordsHigh = 0;
    bounds(progress.wordsPerMinute.points, wordsLow, wordsHigh);
    bounds(progress.wordsPerMinute.dailyBest, wordsLow, wordsHigh);
    QAbstractAxis* x = timeAxis(first, last);
    QAbstractAxis* chars = valueAxis(QStringLiteral("симв/мин"), charsLow, charsHigh, true);
    QAbstractAxis* words = valueAxis(QStringLiteral("слов/мин"), wordsLow, wordsHigh, true);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(chars, Qt::AlignLeft);
    chart->addAxis(words, Qt::AlignRight);
    addMeasure(chart, progress.charsPerMinute, QStringLiteral("Лучшее за день, симв/мин"), Blue, x,
               chars);
    addMeasure(chart, progress.wordsPerMinute, QStringLiteral("Лучшее за день, слов/мин"), Green, x,
               words);
    return true;
}

// Minutes per day as bars on the same time axis as the other charts.
bool drawTimePerDay(QChartView* view, const DiaryProgress& progress, const QDate& first,
                    const QDate& last) {
    QChart* chart = view->chart();
    resetChart(chart);
    if (progress.minutesPerDay.isEmpty())
        return false;
    QList<std::pair<QDate, double>> days;
    for (const QPointF& day : progress.minutesPerDay)
        days.append({QDateTime::fromMSecsSinceEpoch(qint64(day.x())).date(), day.y()});
    // A bar a few pixels wide at least: over long ranges days become weeks or months. Before the
    // chart is laid out its width is taken as the window's usual half.
    const int width = view->width() > 100 ? view->width() : 480;
    const ChartScale::Bars merged = ChartScale::mergedBars(days, first, last, width, 4);
    auto* outline = new QLineSeries;
    qreal high = 0;
    for (const ChartScale::Bar& bar : merged.bars) {
        const qreal from = qreal(bar.first.startOfDay().toMSecsSinceEpoch());
        const qreal to = qreal(bar.last.addDays(1).startOfDay().toMSecsSinceEpoch());
        const qreal gap = (to - from) / 8;
        *outline << QPointF(from + gap, 0) << QPointF(from + gap, bar.minutes)
                 << QPointF(to - gap, bar.minutes) << QPointF(to - gap, 0);
        high = std::max(high, bar.minutes);
    }
    const QString per = merged.span == ChartScale::BarSpan::Week    ? QStringLiteral("неделю")
                        : merged.span == ChartScale::BarSpan::Month ? QStringLiteral("месяц")
                                                                    : QStringLiteral("день");
    auto* bars = new QAreaSeries(outline);
    outline->setParent(bars);
    bars->setName(QStringLiteral("Минут за ") + per);
    bars->setColor(Blue.lighter(150));
    bars->setBorderColor(Blue);
    chart->addSeries(bars);
    QAbstractAxis* x = timeAxis(first, last);
    QAbstractAxis* y = valueAxis(QStringLiteral("мин за ") + per, 0, high, true);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    bars->attachAxis(x);
    bars->attachAxis(y);
    return true;
}

} // namespace

DiaryCharts::DiaryCharts(QWidget* parent) : QWidget(parent) {
    Grid = new QGridLayout(this);
    Grid->setContentsMargins(0, 0, 0, 0);
    const QString titles[ChartCount] = {
        QStringLiteral("Фактическая скорость чтения (тесты текста)"),
        QStringLiteral("Понимание текста, %"),
        QStringLiteral("Ширина поля зрения (верные ответы)"),
        QStringLiteral("Тест таблиц: найдено пропущенных чисел, %"),
        QStringLiteral("Таблицы Шульте: секунд на клетку (по размеру и виду)"),
        QStringLiteral("Время занятий по дням")};
    for (const QString& title : titles)
        addView(title);
}

QChartView* DiaryCharts::addView(const QString& title) {
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    auto* view = new QChartView(chart, this);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(380, 270);
    view->setAccessibleName(title);
    view->setFocusPolicy(Qt::NoFocus);
    Views.append(view);
    return view;
}

void DiaryCharts::showProgress(const DiaryProgress& progress, const QDate& first,
                               const QDate& last) {
    // Colours for the Schulte tables' series; more tables than colours share them in turn.
    static const QList<QColor> tableColours{Maroon, Blue, Green, Orange, Purple, Teal};
    const bool drawn[ChartCount] = {
        drawSpeed(Views[Speed], progress, first, last),
        drawMeasure(Views[Comprehension], {progress.comprehension, progress.clozeComprehension},
                    QStringLiteral("%"), {Maroon, Green}, first, last, true),
        drawMeasure(Views[FieldWidth], {progress.fieldWidth}, QStringLiteral("симв"), {Blue}, first,
                    last, false),
        drawMeasure(Views[Tables], {progress.tableFound}, QStringLiteral("%"), {Green}, first, last,
                    true),
        drawMeasure(Views[Schulte], progress.schulteSeconds, QStringLiteral("с"), tableColours,
                    first, last, true),
        drawTimePerDay(Views[TimePerDay], progress, first, last)};
    for (QChartView* view : std::as_const(Views))
        Grid->removeWidget(view);
    int place = 0;
    for (int i = 0; i < ChartCount; ++i) {
        Views[i]->setVisible(drawn[i]);
        if (drawn[i]) {
            Grid->addWidget(Views[i], place / 2, place % 2);
            ++place;
        }
    }
}

QList<QChartView*> DiaryCharts::shownCharts() const {
    QList<QChartView*> shown;
    for (QChartView* view : Views) {
        if (!view->isHidden())
            shown.append(view);
    }
    return shown;
}
