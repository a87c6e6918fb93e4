#include "diary/DiaryRecovery.h"

#include "diary/DiaryFiles.h"
#include "diary/DiarySchema.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtEndian>

#include <atomic>
#include <set>

namespace {

constexpr qint64 Chunk = 200;
// Past the last id known, this many ids without a record end the search.
constexpr qint64 GapToGiveUp = 20000;
constexpr char Magic[] = "SQLite format 3";

bool hasHeader(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(16) == QByteArray(Magic, 16);
}

// Writes a plain header for this page size over the first 100 bytes: the size in pages is
// left for SQLite to take from the file's length, and the journal mode is taken from whether a
// journal is there.
bool writeHeader(const QString& path, int pageSize, bool withJournal) {
    QByteArray header(100, '\0');
    std::copy(Magic, Magic + 16, header.begin());
    qToBigEndian<quint16>(quint16(pageSize == 65536 ? 1 : pageSize), header.data() + 16);
    header[18] = header[19] = char(withJournal ? 2 : 1);
    header[21] = 64;
    header[22] = 32;
    header[23] = 32;
    qToBigEndian<quint32>(1, header.data() + 40); // schema cookie
    qToBigEndian<quint32>(4, header.data() + 44); // schema format
    qToBigEndian<quint32>(1, header.data() + 56); // UTF-8
    QFile file(path);
    return file.open(QIODevice::ReadWrite) && file.write(header) == header.size();
}

class Reader {
public:
    explicit Reader(const QString& path) : Name(nextName()) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Name);
        db.setDatabaseName(path);
        // A file shorter than its header says is read as far as it goes.
        if (db.open())
            QSqlQuery(db).exec(QStringLiteral("PRAGMA writable_schema = ON"));
        Columns = DiarySchema::recordColumnsIn(db);
    }
    ~Reader() {
        QSqlDatabase::database(Name, false).close();
        QSqlDatabase::removeDatabase(Name);
    }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    // The single number a query gives; -1 when it cannot be read.
    qint64 number(const QString& sql) const {
        QSqlQuery query(QSqlDatabase::database(Name, false));
        if (!query.exec(sql) || !query.next() || query.isNull(0))
            return -1;
        return query.value(0).toLongLong();
    }
    // Reads records with ids in [from, to), each once; false when SQLite stopped on damage.
    bool read(qint64 from, qint64 to, std::set<qint64>* seen, DiaryRecovery* out) const {
        QSqlQuery query(QSqlDatabase::database(Name, false));
        query.setForwardOnly(true);
        query.prepare(QStringLiteral("SELECT ") + Columns +
                      QStringLiteral(" FROM records WHERE id >= ? AND id < ? ORDER BY id"));
        query.addBindValue(from);
        query.addBindValue(to);
        if (!query.exec())
            return false;
        while (query.next()) {
            DiaryRecord record = DiarySchema::readRecord(query);
            if (seen->insert(record.id).second)
                out->records.push_back(std::move(record));
        }
        return !query.lastError().isValid();
    }

private:
    static QString nextName() {
        static std::atomic<int> next{0};
        return QStringLiteral("diary-recovery-") + QString::number(next++);
    }
    QString Name;
    QString Columns;
};

// Reads every record that can be reached by its id.
void readAll(const Reader& reader, DiaryRecovery* out) {
    const qint64 lowest =
        std::max<qint64>(1, reader.number(QStringLiteral("SELECT MIN(id) FROM records")));
    const qint64 highest = reader.number(QStringLiteral("SELECT MAX(id) FROM records"));
    std::set<qint64> seen;
    qint64 lastFound = lowest;
    for (qint64 from = lowest; from <= highest || from - lastFound < GapToGiveUp; from += Chunk) {
        const std::size_t before = out->records.size();
        // A chunk that meets a damaged page is read again id by id, so that a neighbour on a
        // good page is not lost with it.
        if (!reader.read(from, from + Chunk, &seen, out)) {
            for (qint64 id = from; id < from + Chunk; ++id)
                reader.read(id, id + 1, &seen, out);
        }
        if (out->records.size() > before)
            lastFound = out->records.back().id;
    }
}

} // namespace

DiaryRecovery recoverDiary(const QString& path, const QString& journal) {
    DiaryRecovery recovery;
    QTemporaryDir folder;
    const QString copy = DiaryFiles::copyInto(folder.path(), path, journal);
    if (copy.isEmpty())
        return recovery;
    if (!hasHeader(copy)) {
        for (int pageSize : {4096, 1024, 2048, 8192, 16384, 32768, 65536}) {
            writeHeader(copy, pageSize, !journal.isEmpty());
            const Reader probe(copy);
            if (probe.number(QStringLiteral("SELECT COUNT(*) FROM sqlite_master")) > 0 &&
                probe.number(QStringLiteral("SELECT MAX(id) FROM records")) >= 0)
                break;
        }
    }
    const Reader reader(copy);
    const qint64 counted = reader.number(QStringLiteral("SELECT COUNT(*) FROM records"));
    readAll(reader, &recovery);
    if (counted >= 0)
        recovery.lost = int(std::max<qint64>(0, counted - qint64(recovery.records.size())));
    return recovery;
}
