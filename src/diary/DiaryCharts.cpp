#include "diary/DiaryCharts.h"

#include "diary/DiaryProgress.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
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

QDateTimeAxis* timeAxis(const QDateTime& from, const QDateTime& to) {
    auto* axis = new QDateTimeAxis;
    const qint64 days = std::max<qint64>(1, from.daysTo(to));
    axis->setFormat(days > 366 ? QStringLiteral("MM.yyyy") : QStringLiteral("dd.MM"));
    // A tick at every midnight of a week; six spans over longer ranges (five days a month).
    axis->setTickCount(days <= 10 ? int(days) + 1 : 7);
    axis->setRange(from, to);
    return axis;
}

// A value axis from zero (or just under the lowest value) to a little above the highest; per
// cent always from 0 to 100.
QValueAxis* valueAxis(const QString& title, qreal low, qreal high, bool fromZero) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setLabelFormat(QStringLiteral("%.0f"));
    if (title == QLatin1String("%")) {
        // A little above 100 so that a line at 100 stays clear of the frame.
        axis->setRange(0, 104);
        axis->setTickType(QValueAxis::TicksDynamic);
        axis->setTickAnchor(0);
        axis->setTickInterval(25);
        return axis;
    }
    const qreal top = high <= 0 ? 1 : high * 1.1;
    axis->setRange(fromZero ? 0 : std::max<qreal>(0, low * 0.9), top);
    axis->applyNiceNumbers();
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

// One measure in one chart with its own value axis.
bool drawMeasure(QChartView* view, const ProgressSeries& measure, const QString& unit,
                 const QColor& colour, const QDateTime& from, const QDateTime& to, bool fromZero) {
    QChart* chart = view->chart();
    resetChart(chart);
    if (measure.isEmpty())
        return false;
    qreal low = measure.dailyBest.first().y(), high = low;
    bounds(measure.points, low, high);
    bounds(measure.dailyBest, low, high);
    QAbstractAxis* x = timeAxis(from, to);
    QAbstractAxis* y = valueAxis(unit, low, high, fromZero);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    addMeasure(chart, measure, QStringLiteral("Лучший результат за день"), colour, x, y);
    return true;
}

bool drawSpeed(QChartView* view, const DiaryProgress& progress, const QDateTime& from,
               const QDateTime& to) {
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
    QAbstractAxis* x = timeAxis(from, to);
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
bool drawTimePerDay(QChartView* view, const DiaryProgress& progress, const QDateTime& from,
                    const QDateTime& to) {
    QChart* chart = view->chart();
    resetChart(chart);
    if (progress.minutesPerDay.isEmpty())
        return false;
    auto* outline = new QLineSeries;
    qreal high = 0;
    constexpr qreal gap = DayMs / 8.0;
    for (const QPointF& day : progress.minutesPerDay) {
        const qreal start = day.x() + gap, end = day.x() + DayMs - gap;
        *outline << QPointF(start, 0) << QPointF(start, day.y()) << QPointF(end, day.y())
                 << QPointF(end, 0);
        high = std::max(high, day.y());
    }
    auto* bars = new QAreaSeries(outline);
    outline->setParent(bars);
    bars->setName(QStringLiteral("Минут за день"));
    bars->setColor(Blue.lighter(150));
    bars->setBorderColor(Blue);
    chart->addSeries(bars);
    QAbstractAxis* x = timeAxis(from, to);
    QAbstractAxis* y = valueAxis(QStringLiteral("мин"), 0, high, true);
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
    const QString titles[ChartCount] = {QStringLiteral("Скорость чтения (тесты текста)"),
                                        QStringLiteral("Понимание текста, %"),
                                        QStringLiteral("Ширина поля зрения (верные ответы)"),
                                        QStringLiteral("Тест таблиц: найдено пропущенных чисел, %"),
                                        QStringLiteral("Таблицы Шульте: секунд на клетку"),
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

void DiaryCharts::showProgress(const DiaryProgress& progress, const QDateTime& from,
                               const QDateTime& to) {
    const bool drawn[ChartCount] = {
        drawSpeed(Views[Speed], progress, from, to),
        drawMeasure(Views[Comprehension], progress.comprehension, QStringLiteral("%"), Maroon, from,
                    to, true),
        drawMeasure(Views[FieldWidth], progress.fieldWidth, QStringLiteral("симв"), Blue, from, to,
                    false),
        drawMeasure(Views[Tables], progress.tableFound, QStringLiteral("%"), Green, from, to, true),
        drawMeasure(Views[Schulte], progress.schulteSeconds, QStringLiteral("с"), Maroon, from, to,
                    true),
        drawTimePerDay(Views[TimePerDay], progress, from, to)};
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
