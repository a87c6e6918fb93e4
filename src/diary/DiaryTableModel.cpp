#include "diary/DiaryTableModel.h"

#include "diary/DiaryText.h"

namespace {

DiaryOrder orderOf(int column) {
    switch (column) {
    case DiaryTableModel::Kind:
        return DiaryOrder::Kind;
    case DiaryTableModel::CharsPerMinute:
        return DiaryOrder::CharsPerMinute;
    case DiaryTableModel::ActualCharsPerMinute:
        return DiaryOrder::ActualCharsPerMinute;
    case DiaryTableModel::WordsPerMinute:
        return DiaryOrder::WordsPerMinute;
    case DiaryTableModel::FieldWidth:
        return DiaryOrder::FieldWidth;
    case DiaryTableModel::Text:
        return DiaryOrder::Text;
    case DiaryTableModel::Duration:
        return DiaryOrder::Duration;
    case DiaryTableModel::Result:
        return DiaryOrder::Result;
    default:
        return DiaryOrder::When;
    }
}

} // namespace

DiaryTableModel::DiaryTableModel(const DiaryStore& store, QObject* parent)
    : QAbstractTableModel(parent), Store(store) {
    reload();
}

void DiaryTableModel::setFilter(const DiaryFilter& filter) {
    Filter = filter;
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
    if (!index.isValid() || index.row() >= int(Rows.size()))
        return {};
    const DiaryRecord& record = Rows[std::size_t(index.row())];
    const RunResult& r = record.result;
    if (role == Qt::TextAlignmentRole) {
        const bool number = index.column() == CharsPerMinute ||
                            index.column() == ActualCharsPerMinute ||
                            index.column() == WordsPerMinute || index.column() == FieldWidth ||
                            index.column() == Duration;
        return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    if (role == Qt::ToolTipRole && index.column() == Kind)
        return DiaryText::course(r);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case When:
        return record.when.toString(u"dd.MM.yyyy HH:mm");
    case Kind:
        return diaryKindName(r.kind);
    case CharsPerMinute:
        return DiaryText::figure(r.charsPerMinute);
    case ActualCharsPerMinute:
        return DiaryText::figure(r.actualCharsPerMinute);
    case WordsPerMinute:
        return DiaryText::figure(r.wordsPerMinute);
    case FieldWidth:
        return DiaryText::figure(r.fieldWidth);
    case Text:
        return DiaryText::visible(r.textName);
    case Duration:
        return DiaryText::duration(r.durationMs);
    case Result:
        return DiaryText::result(r);
    default:
        return {};
    }
}

QVariant DiaryTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return QAbstractTableModel::headerData(section, orientation, role);
    static const QStringList names{QStringLiteral("Дата"),
                                   QStringLiteral("Упражнение"),
                                   QStringLiteral("Скорость (регулятор)"),
                                   QStringLiteral("Фактическая"),
                                   QStringLiteral("Слов/мин"),
                                   QStringLiteral("Поле, симв"),
                                   QStringLiteral("Текст, таблица"),
                                   QStringLiteral("Время"),
                                   QStringLiteral("Результат")};
    if (role == Qt::DisplayRole)
        return names.value(section);
    if (section == CharsPerMinute)
        return QStringLiteral("Скорость, заданная регулятором, симв/мин");
    if (section == ActualCharsPerMinute)
        return QStringLiteral("Фактическая скорость: символы пройденного текста с пробелами в "
                              "минуту настоящего времени занятия");
    return {};
}

void DiaryTableModel::sort(int column, Qt::SortOrder order) {
    Order = orderOf(column);
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
