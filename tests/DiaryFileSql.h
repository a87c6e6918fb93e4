#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

// A connection of its own to a diary's file, for what a test reads or writes behind the store's
// back. Queries made from it end before it does.
class DiaryFileSql {
public:
    explicit DiaryFileSql(const QString& path) : Name(QStringLiteral("behind-") + path) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Name);
        db.setDatabaseName(path);
        db.open();
    }
    ~DiaryFileSql() {
        QSqlDatabase::database(Name, false).close();
        QSqlDatabase::removeDatabase(Name);
    }
    DiaryFileSql(const DiaryFileSql&) = delete;
    DiaryFileSql& operator=(const DiaryFileSql&) = delete;

    QSqlQuery query() const { return QSqlQuery(QSqlDatabase::database(Name, false)); }

private:
    QString Name;
};
