#include "diary/DiaryTableModel.h"

#include "diary/DiaryText.h"

#include <array>

namespace {

// A column of the table: its heading, what its header's tip says, the order it sorts by,
// whether it holds numbers (set to the right) and its text for a record.
struct ColumnSpec {
    const char* heading;
    const char* tip;
    DiaryOrder order;
    bool number;
    QString (*text)(const DiaryRecord&);
};

// The columns in the order of DiaryTableModel::Column.
const std::array<ColumnSpec, DiaryTableModel::ColumnCount> Columns{{
    {"Дата", nullptr, DiaryOrder::When, false,
     [](const DiaryRecord& d) { return d.when.toString(u"dd.MM.yyyy HH:mm"); }},
    {"Упражнение", nullptr, DiaryOrder::Kind, false,
     [](const DiaryRecord& d) { return diaryKindName(d.result.kind); }},
    {"Скорость (регулятор)", "Скорость, заданная регулятором, симв/мин", DiaryOrder::CharsPerMinute,
     true, [](const DiaryRecord& d) { return DiaryText::figure(d.result.charsPerMinute); }},
    {"Фактическая",
     "Фактическая скорость: символы пройденного текста с пробелами в минуту настоящего времени "
     "занятия",
     DiaryOrder::ActualCharsPerMinute, true,
     [](const DiaryRecord& d) { return DiaryText::figure(d.result.actualCharsPerMinute); }},
    {"Слов/мин", nullptr, DiaryOrder::WordsPerMinute, true,
     [](const DiaryRecord& d) { return DiaryText::figure(d.result.wordsPerMinute); }},
    {"Поле, симв", nullptr, DiaryOrder::FieldWidth, true,
     [](const DiaryRecord& d) { return DiaryText::figure(d.result.fieldWidth); }},
    {"Текст, таблица", nullptr, DiaryOrder::Text, false,
     [](const DiaryRecord& d) { return DiaryText::visible(d.result.textName); }},
    {"Время", nullptr, DiaryOrder::Duration, true,
     [](const DiaryRecord& d) { return DiaryText::duration(d.result.durationMs); }},
    {"Результат", nullptr, DiaryOrder::Result, false,
     [](const DiaryRecord& d) { return DiaryText::result(d.result); }},
}};

} // namespace

DiaryTableModel::DiaryTableModel(const DiaryStore& store, QObject* parent)
    : QAbstractTableModel(parent), Store(store) {
    reload();
    connect(&Store, &DiaryStore::added, this, &DiaryTableModel::insertAdded);
    connect(&Store, &DiaryStore::changed, this, &DiaryTableModel::followChange);
}

void DiaryTableModel::setFilter(const DiaryFilter& filter) {
    if (filter.kind == Filter.kind && filter.since == Filter.since)
        return;
    Filter = filter;
    reload();
}

void DiaryTableModel::insertAdded() {
    AdditionShown = true;
    const int total = Store.count(Filter);
    if (total == Total)
        return; // the filter leaves it out
    // The rows read so far, read again with one more: the one that differs is the new record.
    std::vector<DiaryRecord> fresh = Store.records(Filter, Order, Direction, int(Rows.size()) + 1);
    std::size_t at = 0;
    while (at < Rows.size() && at < fresh.size() && fresh[at].id == Rows[at].id)
        ++at;
    // The count is raised once the row is in, so that no page is fetched meanwhile.
    if (at >= fresh.size() || (at == Rows.size() && int(Rows.size()) < Total)) {
        Total = total; // past the rows read: fetched with the next page
        return;
    }
    beginInsertRows({}, int(at), int(at));
    Rows.insert(Rows.begin() + std::ptrdiff_t(at), std::move(fresh[at]));
    Total = total;
    endInsertRows();
}

void DiaryTableModel::followChange() {
    if (AdditionShown)
        AdditionShown = false;
    else
        reload();
}

void DiaryTableModel::reload() {
    beginResetModel();
    Total = Store.count(Filter);
    Rows = Store.records(Filter, Order, Direction, PageSize);
    endResetModel();
}

std::vector<DiaryRecord> DiaryTableModel::shownRecords() const {
    return Store.records(Filter, Order, Direction);
}

int DiaryTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(Rows.size());
}

int DiaryTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant DiaryTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(Rows.size()) || index.column() >= ColumnCount)
        return {};
    const DiaryRecord& record = Rows[std::size_t(index.row())];
    const ColumnSpec& column = Columns[std::size_t(index.column())];
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter |
                                   (column.number ? Qt::AlignRight : Qt::AlignLeft));
    if (role == Qt::ToolTipRole && index.column() == Kind)
        return DiaryText::course(record.result);
    if (role == Qt::DisplayRole)
        return column.text(record);
    return {};
}

QVariant DiaryTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount ||
        (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return QAbstractTableModel::headerData(section, orientation, role);
    const ColumnSpec& column = Columns[std::size_t(section)];
    if (role == Qt::DisplayRole)
        return QString::fromUtf8(column.heading);
    return column.tip ? QVariant(QString::fromUtf8(column.tip)) : QVariant();
}

void DiaryTableModel::sort(int column, Qt::SortOrder order) {
    Order =
        column >= 0 && column < ColumnCount ? Columns[std::size_t(column)].order : DiaryOrder::When;
    Direction = order;
    reload();
}

bool DiaryTableModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && int(Rows.size()) < Total;
}

void DiaryTableModel::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent))
        return;
    std::vector<DiaryRecord> page =
        Store.records(Filter, Order, Direction, PageSize, int(Rows.size()));
    if (page.empty())
        return;
    beginInsertRows({}, int(Rows.size()), int(Rows.size() + page.size()) - 1);
    Rows.insert(Rows.end(), std::make_move_iterator(page.begin()),
                std::make_move_iterator(page.end()));
    endInsertRows();
}
