#include "diary/TDiaryForm.h"

#include "diary/DiaryCharts.h"
#include "diary/DiaryCsv.h"
#include "diary/DiaryProgress.h"
#include "diary/DiaryStore.h"
#include "diary/DiaryTableModel.h"
#include "platform/HelpContext.h"

#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTableView>

namespace {

// More records of one measure than this in a range: only the daily best is drawn.
constexpr int PointLimit = 3000;

const QString EmptyNote = QStringLiteral(
    "<h3>Дневник пока пуст</h3>"
    "<p>Сюда сами записываются результаты каждого законченного занятия: скорость, ширина поля "
    "чтения, прочитанный текст, время, а у тестов ещё и оценка.</p>"
    "<p>Чтобы появились графики, выберите упражнение на панели инструментов и нажмите "
    "«Пуск». Скорость чтения и понимание текста покажет тест: нажмите «Тест» при упражнении "
    "«Текст», прочитайте текст и ответьте на вопросы. Ширину поля зрения покажет упражнение "
    "«Строка», а внимание к таблицам — «Таблица» в режиме теста.</p>");

const QString QuietRangeNote =
    QStringLiteral("<h3>За выбранный период таких занятий нет</h3>"
                   "<p>Выберите период подлиннее, например «Всё время», или «Все упражнения».</p>");

QPushButton* makeButton(const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setAutoDefault(false);
    return button;
}

QLabel* makeNote(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignCenter);
    label->setMargin(24);
    label->setTextFormat(Qt::RichText);
    return label;
}

} // namespace

TDiaryForm::TDiaryForm(DiaryStore& store, QWidget* parent)
    : QWidget(parent, Qt::Window), Store(store) {
    setObjectName(QStringLiteral("DiaryForm"));
    setWindowTitle(QStringLiteral("Дневник"));
    setProperty("helpContext", HelpContext::Diary);

    ComboRange = new QComboBox(this);
    ComboRange->setObjectName(QStringLiteral("ComboRange"));
    ComboRange->addItems(
        {QStringLiteral("Неделя"), QStringLiteral("Месяц"), QStringLiteral("Всё время")});
    ComboRange->setAccessibleName(QStringLiteral("Период"));
    ComboKind = new QComboBox(this);
    ComboKind->setObjectName(QStringLiteral("ComboKind"));
    ComboKind->addItem(QStringLiteral("Все упражнения"));
    for (DiaryKind kind : AllDiaryKinds)
        ComboKind->addItem(diaryKindName(kind), static_cast<int>(kind));
    ComboKind->setAccessibleName(QStringLiteral("Упражнение"));
    ButtonExport = makeButton(QStringLiteral("Экспорт в CSV…"), this);
    ButtonDelete = makeButton(QStringLiteral("Удалить запись"), this);
    ButtonDeleteAll = makeButton(QStringLiteral("Удалить все"), this);
    ButtonHelp = makeButton(QStringLiteral("Справка"), this);
    ButtonExport->setObjectName(QStringLiteral("ButtonExport"));
    ButtonDelete->setObjectName(QStringLiteral("ButtonDelete"));
    ButtonDeleteAll->setObjectName(QStringLiteral("ButtonDeleteAll"));
    ButtonHelp->setObjectName(QStringLiteral("ButtonHelp"));

    auto* rangeLabel = new QLabel(QStringLiteral("&Период:"), this);
    rangeLabel->setBuddy(ComboRange);
    auto* kindLabel = new QLabel(QStringLiteral("&Упражнение:"), this);
    kindLabel->setBuddy(ComboKind);
    auto* controls = new QHBoxLayout;
    controls->addWidget(rangeLabel);
    controls->addWidget(ComboRange);
    controls->addSpacing(12);
    controls->addWidget(kindLabel);
    controls->addWidget(ComboKind);
    controls->addStretch(1);

    Pages = new QStackedWidget(this);
    Pages->setObjectName(QStringLiteral("Pages"));
    LabelEmpty = makeNote(Pages);
    LabelEmpty->setObjectName(QStringLiteral("LabelEmpty"));
    // The note wraps to the room it gets: its wrapped height does not hold the window's
    // height up on a small screen.
    LabelEmpty->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
    Pages->addWidget(LabelEmpty);
    Charts = new DiaryCharts(Pages);
    Charts->setObjectName(QStringLiteral("Charts"));
    auto* scroll = new QScrollArea(Pages);
    scroll->setWidget(Charts);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    Pages->addWidget(scroll);

    Model = new DiaryTableModel(Store, this);
    Records = new QTableView(this);
    Records->setObjectName(QStringLiteral("Records"));
    Records->setAccessibleName(QStringLiteral("Записи дневника"));
    Records->setModel(Model);
    Records->setSortingEnabled(true);
    Records->sortByColumn(DiaryTableModel::When, Qt::DescendingOrder);
    Records->setSelectionBehavior(QAbstractItemView::SelectRows);
    Records->setSelectionMode(QAbstractItemView::SingleSelection);
    Records->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Records->verticalHeader()->hide();
    Records->verticalHeader()->setDefaultSectionSize(Records->fontMetrics().height() + 6);
    Records->horizontalHeader()->setStretchLastSection(true);
    Records->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    Records->setColumnWidth(DiaryTableModel::When, 120);
    Records->setColumnWidth(DiaryTableModel::Kind, 150);
    Records->setColumnWidth(DiaryTableModel::Text, 140);
    for (int column :
         {DiaryTableModel::WordsPerMinute, DiaryTableModel::FieldWidth, DiaryTableModel::Duration})
        Records->setColumnWidth(column, 80);
    // The two speeds are as wide as their headings.
    for (int column : {DiaryTableModel::CharsPerMinute, DiaryTableModel::ActualCharsPerMinute})
        Records->resizeColumnToContents(column);

    LabelCount = new QLabel(this);
    LabelCount->setObjectName(QStringLiteral("LabelCount"));
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(Pages);
    splitter->addWidget(Records);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({560, 200});
    splitter->setChildrenCollapsible(false);

    auto* column = new QVBoxLayout(this);
    // The buttons stand under the records they act on, so that the window stays narrow
    // enough for a small screen.
    auto* actions = new QHBoxLayout;
    actions->addWidget(LabelCount);
    actions->addStretch(1);
    for (QPushButton* button : {ButtonExport, ButtonDelete, ButtonDeleteAll, ButtonHelp})
        actions->addWidget(button);
    column->addLayout(controls);
    column->addWidget(splitter, 1);
    column->addLayout(actions);

    ComboRange->setCurrentIndex(Month);
    connect(ComboRange, &QComboBox::currentIndexChanged, this, &TDiaryForm::refreshWhenShown);
    connect(ComboKind, &QComboBox::currentIndexChanged, this, &TDiaryForm::refreshWhenShown);
    connect(ButtonExport, &QPushButton::clicked, this, &TDiaryForm::ButtonExportClick);
    connect(ButtonDelete, &QPushButton::clicked, this, &TDiaryForm::ButtonDeleteClick);
    connect(ButtonDeleteAll, &QPushButton::clicked, this, &TDiaryForm::ButtonDeleteAllClick);
    connect(ButtonHelp, &QPushButton::clicked, this,
            [this] { emit helpRequested(HelpContext::Diary); });
    connect(Records->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TDiaryForm::updateButtons);
    connect(Model, &QAbstractItemModel::modelReset, this, &TDiaryForm::updateButtons);
    connect(Model, &QAbstractItemModel::rowsInserted, this, &TDiaryForm::updateButtons);
    connect(&Store, &DiaryStore::changed, this, &TDiaryForm::refreshWhenShown);
}

void TDiaryForm::refreshWhenShown() {
    if (isVisible())
        refresh();
    else
        Stale = true;
}

void TDiaryForm::showDiary() {
    if (isMinimized())
        showNormal();
    fitScreen();
    show();
    raise();
    activateWindow();
}

void TDiaryForm::fitScreen() {
    const QScreen* shown = parentWidget() ? parentWidget()->screen() : screen();
    if (!shown)
        return;
    const QRect area = shown->availableGeometry();
    // The window manager's frame is known once the window has been shown; before that, room
    // is kept for a usual title bar and border.
    QMargins frame(geometry().left() - frameGeometry().left(),
                   geometry().top() - frameGeometry().top(),
                   frameGeometry().right() - geometry().right(),
                   frameGeometry().bottom() - geometry().bottom());
    if (frame.isNull())
        frame = QMargins(4, 32, 4, 4);
    const QSize room = area.size().shrunkBy(frame);
    QPoint place = pos(); // the frame's top left corner
    if (!Placed) {
        Placed = true;
        resize(PreferredSize.boundedTo(room));
        const QSize outer = size().grownBy(frame);
        place = area.topLeft() +
                QPoint((area.width() - outer.width()) / 2, (area.height() - outer.height()) / 2);
    } else {
        // Shown again: kept where the user left it, as long as all of it is on the screen.
        resize(size().boundedTo(room));
    }
    const QSize outer = size().grownBy(frame);
    place.setX(std::max(area.left(), std::min(place.x(), area.right() + 1 - outer.width())));
    place.setY(std::max(area.top(), std::min(place.y(), area.bottom() + 1 - outer.height())));
    move(place);
}

void TDiaryForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (Stale)
        refresh();
}

void TDiaryForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        emit helpRequested(HelpContext::Diary);
    } else if (event->key() == Qt::Key_Delete && Records->hasFocus()) {
        ButtonDeleteClick();
    } else if (event->key() == Qt::Key_Escape) {
        close();
    } else {
        QWidget::keyPressEvent(event);
    }
}

QDateTime TDiaryForm::rangeStart() const {
    const QDate today = QDate::currentDate();
    switch (ComboRange->currentIndex()) {
    case Week:
        return today.addDays(-6).startOfDay();
    case Month:
        return today.addDays(-29).startOfDay();
    default:
        return {};
    }
}

DiaryFilter TDiaryForm::currentFilter() const {
    DiaryFilter filter;
    filter.since = rangeStart();
    bool known = false;
    const int code = ComboKind->currentData().toInt(&known);
    DiaryKind kind;
    if (known && diaryKindFromCode(code, &kind))
        filter.kind = kind;
    return filter;
}

void TDiaryForm::refresh() {
    Stale = false;
    const DiaryFilter filter = currentFilter();
    const DiaryProgress progress = Store.progress(filter, PointLimit);
    if (progress.records == 0) {
        LabelEmpty->setText(Store.count() == 0 ? EmptyNote : QuietRangeNote);
        Pages->setCurrentIndex(0);
    } else {
        const QDate today = QDate::currentDate();
        const QDate first =
            filter.since.isValid()
                ? filter.since.date()
                : QDateTime::fromMSecsSinceEpoch(qint64(progress.minutesPerDay.first().x())).date();
        Charts->showProgress(progress, std::min(first, today), today);
        Pages->setCurrentIndex(1);
    }
    applyFilter(filter);
}

void TDiaryForm::applyFilter(const DiaryFilter& filter) {
    Model->setFilter(filter);
    Records->setVisible(Store.count() > 0);
    LabelCount->setText(QStringLiteral("Записей: ") + QString::number(Model->shownCount()));
    updateButtons();
}

void TDiaryForm::updateButtons() {
    ButtonDelete->setEnabled(Records->selectionModel()->hasSelection());
    ButtonDeleteAll->setEnabled(Store.count() > 0);
    ButtonExport->setEnabled(Model->shownCount() > 0);
}

bool TDiaryForm::exportShown(const QString& path) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && writeDiaryCsv(file, Model->shownRecords()) &&
        file.commit())
        return true;
    QMessageBox::warning(this, QStringLiteral("Предупреждение"),
                         QStringLiteral("Не удалось записать файл ") +
                             QDir::toNativeSeparators(path) + QStringLiteral(": ") +
                             file.errorString());
    return false;
}

void TDiaryForm::ButtonExportClick() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString suggested =
        QDir(folder).filePath(QStringLiteral("Дневник ") +
                              QDate::currentDate().toString(Qt::ISODate) + QStringLiteral(".csv"));
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Экспорт дневника"), suggested, QStringLiteral("Таблица CSV (*.csv)"));
    if (!path.isEmpty())
        exportShown(path);
}

void TDiaryForm::ButtonDeleteClick() {
    const QModelIndexList rows = Records->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    const DiaryRecord& record = Model->record(rows.first().row());
    const QString question = QStringLiteral("Удалить запись «") +
                             diaryKindName(record.result.kind) + QStringLiteral("» от ") +
                             record.when.toString(u"dd.MM.yyyy HH:mm") + QStringLiteral("?");
    if (QMessageBox::question(this, QStringLiteral("Дневник"), question) == QMessageBox::Yes)
        Store.remove(record.id);
}

void TDiaryForm::ButtonDeleteAllClick() {
    const QString question = QStringLiteral("Удалить все записи дневника (") +
                             QString::number(Store.count()) +
                             QStringLiteral(")? Их нельзя будет вернуть.");
    if (QMessageBox::question(this, QStringLiteral("Дневник"), question,
                              QMessageBox::Yes | QMessageBox::No,
                              QMessageBox::No) == QMessageBox::Yes)
        Store.removeAll();
}
