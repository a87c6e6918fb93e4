#pragma once

#include "diary/DiaryStore.h"

#include <QDateTime>
#include <QWidget>

class DiaryCharts;
class DiaryTableModel;
class QComboBox;
class QLabel;
class QPushButton;
class QStackedWidget;
class QTableView;

// The training diary: charts of progress over days and the kept records, which can be
// filtered, sorted, exported and deleted. A window of its own beside the frame.
class TDiaryForm : public QWidget {
    Q_OBJECT
public:
    enum Range { Week, Month, AllTime };

    TDiaryForm(DiaryStore& store, QWidget* parent);

    // Brings the diary to the front with everything it shows read afresh.
    void showDiary();
    // Writes the records shown in the table to a CSV file; false (after telling the user)
    // when the file could not be written.
    bool exportShown(const QString& path);

signals:
    // The user asked for the help page of this context id.
    void helpRequested(int contextId);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QComboBox* ComboRange = nullptr;
    QComboBox* ComboKind = nullptr;
    QPushButton* ButtonExport = nullptr;
    QPushButton* ButtonDelete = nullptr;
    QPushButton* ButtonDeleteAll = nullptr;
    QPushButton* ButtonHelp = nullptr;
    QStackedWidget* Pages = nullptr; // the note on an empty diary, or the charts
    QLabel* LabelEmpty = nullptr;
    DiaryCharts* Charts = nullptr;
    QTableView* Records = nullptr;
    QLabel* LabelCount = nullptr;
    // Sizes and places the window within the available area of the frame's screen: at its
    // first showing centred and no larger than PreferredSize, later where the user left it.
    void fitScreen();
    // The records the range and the kind chosen let through.
    DiaryFilter currentFilter() const;
    void refresh();
    void refreshWhenShown();
    void applyFilter(const DiaryFilter& filter);
    void updateButtons();
    QDateTime rangeStart() const;
    void ButtonExportClick();
    void ButtonDeleteClick();
    void ButtonDeleteAllClick();

    DiaryStore& Store;
    DiaryTableModel* Model = nullptr;
    bool Stale = true;   // records changed while the window was hidden
    bool Placed = false; // sized and placed at its first showing
    static constexpr QSize PreferredSize{1000, 820};
};
