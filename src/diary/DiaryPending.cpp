#include "diary/DiaryPending.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

QJsonObject toJson(const DiaryRecord& record) {
    const RunResult& r = record.result;
    return {{"at", record.when.toMSecsSinceEpoch()},
            {"kind", static_cast<int>(r.kind)},
            {"charsPerMinute", r.charsPerMinute},
            {"wordsPerMinute", r.wordsPerMinute},
            {"fieldWidth", r.fieldWidth},
            {"textName", r.textName},
            {"charsRead", r.charsRead},
            {"wordsRead", r.wordsRead},
            {"durationMs", r.durationMs},
            {"courseLevel", r.courseLevel},
            {"courseStage", r.courseStage},
            {"right", r.right},
            {"outOf", r.outOf},
            {"shown", r.shown},
            {"mistakes", r.mistakes},
            {"stopped", r.stopped},
            {"actualCharsPerMinute", r.actualCharsPerMinute}};
}

bool fromJson(const QJsonObject& o, DiaryRecord* record) {
    RunResult& r = record->result;
    if (!o.contains("at") || !diaryKindFromCode(o.value("kind").toInt(), &r.kind))
        return false;
    record->when = QDateTime::fromMSecsSinceEpoch(o.value("at").toInteger());
    r.charsPerMinute = o.value("charsPerMinute").toInt();
    r.wordsPerMinute = o.value("wordsPerMinute").toInt();
    r.fieldWidth = o.value("fieldWidth").toInt();
    r.textName = o.value("textName").toString();
    r.charsRead = o.value("charsRead").toInt();
    r.wordsRead = o.value("wordsRead").toInt();
    r.durationMs = o.value("durationMs").toInteger();
    r.courseLevel = o.value("courseLevel").toInt();
    r.courseStage = o.value("courseStage").toInt();
    r.right = o.value("right").toInt(-1);
    r.outOf = o.value("outOf").toInt();
    r.shown = o.value("shown").toString();
    r.mistakes = o.value("mistakes").toInt(-1);
    r.stopped = o.value("stopped").toBool();
    r.actualCharsPerMinute = o.value("actualCharsPerMinute").toInt(-1);
    return true;
}

bool flushToDisk(QFile& file) {
    if (!file.flush())
        return false;
#ifdef Q_OS_WIN
    return _commit(file.handle()) == 0;
#else
    return fsync(file.handle()) == 0;
#endif
}

// Held while the file is appended to or taken, across programs.
class Held {
public:
    explicit Held(const QString& path) : Lock(path + QStringLiteral(".lock")) {
        Lock.setStaleLockTime(10000);
        Locked = Lock.tryLock(50);
    }
    bool locked() const { return Locked; }

private:
    QLockFile Lock;
    bool Locked = false;
};

} // namespace

DiaryPending::DiaryPending(const QString& diaryPath)
    : Path(diaryPath + QStringLiteral("-pending")) {}

bool DiaryPending::append(const DiaryRecord& record) const {
    const Held held(Path);
    if (!held.locked())
        return false;
    QFile file(Path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const qint64 before = file.size();
    const QByteArray line = QJsonDocument(toJson(record)).toJson(QJsonDocument::Compact) + '\n';
    if (file.write(line) != line.size() || !flushToDisk(file)) {
        // A line cut short would spoil nothing but itself; it is taken back where possible.
        file.resize(before);
        return false;
    }
    return true;
}

std::vector<DiaryRecord> DiaryPending::readAll() const {
    std::vector<DiaryRecord> records;
    QFile file(Path);
    if (!file.open(QIODevice::ReadOnly))
        return records;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine();
        const QJsonObject object = QJsonDocument::fromJson(line).object();
        DiaryRecord record;
        if (fromJson(object, &record))
            records.push_back(record);
    }
    return records;
}

int DiaryPending::count() const {
    return int(readAll().size());
}

bool DiaryPending::take(const std::function<bool(const std::vector<DiaryRecord>&)>& write) const {
    if (!QFile::exists(Path))
        return true;
    const Held held(Path);
    if (!held.locked())
        return false;
    const std::vector<DiaryRecord> records = readAll();
    if (!records.empty() && !write(records))
        return false;
    return QFile::remove(Path);
}
