#pragma once

#include <QDate>
#include <QWidget>

class QChartView;
class QGridLayout;
struct DiaryProgress;

// The diary's charts: reading speed, comprehension, field-of-view width, table tests,
// Schulte tables and the time trained per day. A chart whose measure has no record in the
// range is hidden, so no empty axes are drawn.
class DiaryCharts : public QWidget {
    Q_OBJECT
public:
    explicit DiaryCharts(QWidget* parent = nullptr);

    // Draws the progress from the first day to the last.
    void showProgress(const DiaryProgress& progress, const QDate& first, const QDate& last);
    // The charts drawn now, in their order on the page.
    QList<QChartView*> shownCharts() const;

private:
    QChartView* addView(const QString& title);

    QGridLayout* Grid = nullptr;
    QList<QChartView*> Views;
};
