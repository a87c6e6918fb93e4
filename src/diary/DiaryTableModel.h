#pragma once

#include "diary/DiaryStore.h"

#include <QAbstractTableModel>

#include <vector>

// The diary's records as a table, read from the store a page at a time so that a diary of
// many years opens at once. Sorting and filtering are asked of the store.
class DiaryTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        When,
        Kind,
        CharsPerMinute, // the regulator's speed
        ActualCharsPerMinute,
        WordsPerMinute,
        FieldWidth,
        Text,
        Duration,
        Result,
        ColumnCount
    };

    explicit DiaryTableModel(const DiaryStore& store, QObject* parent = nullptr);

    void setFilter(const DiaryFilter& filter);
    const DiaryFilter& filter() const { return Filter; }
    // Every record the filter lets through, in the order shown.
    std::vector<DiaryRecord> shownRecords() const;
    // How many records the filter lets through (also those not read yet).
    int shownCount() const { return Total; }
    const DiaryRecord& record(int row) const { return Rows.at(std::size_t(row)); }
    // Reads the store again.
    void reload();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    static constexpr int PageSize = 500;

private:
    // Puts a record just added where the order places it, among the rows read so far.
    void insertAdded();
    // Reads the store again unless the change was an addition already shown.
    void followChange();

    const DiaryStore& Store;
    DiaryFilter Filter;
    DiaryOrder Order = DiaryOrder::When;
    Qt::SortOrder Direction = Qt::DescendingOrder;
    std::vector<DiaryRecord> Rows;
    int Total = 0;
    bool AdditionShown = false;
};
