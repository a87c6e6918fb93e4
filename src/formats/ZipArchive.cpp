#include "formats/ZipArchive.h"

#include <QUrl>

#include <zip.h>

namespace {

constexpr qint64 ChunkSize = 64 * 1024;

bool isUnsafe(const QString& name) {
    QString path = name;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.startsWith(QLatin1Char('/')) || (path.size() > 1 && path.at(1) == QLatin1Char(':')))
        return true;
    int depth = 0;
    for (const QStringView step : QStringView(path).split(QLatin1Char('/'))) {
        if (step == u"..")
            --depth;
        else if (!step.isEmpty() && step != u".")
            ++depth;
        if (depth < 0)
            return true;
    }
    return false;
}

} // namespace

bool looksLikeZip(QByteArrayView bytes) {
    return bytes.startsWith("PK\x03\x04") || bytes.startsWith("PK\x05\x06");
}

ZipArchive::ZipArchive(QByteArrayView bytes, qint64 unpackedBudget)
    : Limit(unpackedBudget), Budget(unpackedBudget) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source =
        zip_source_buffer_create(bytes.data(), zip_uint64_t(bytes.size()), 0, &error);
    if (source) {
        Archive = zip_open_from_source(source, ZIP_RDONLY, &error);
        if (!Archive)
            zip_source_free(source);
    }
    zip_error_fini(&error);
    if (!Archive)
        return;
    const zip_int64_t count = zip_get_num_entries(Archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(Archive, zip_uint64_t(i), ZIP_FL_ENC_GUESS);
        Names.append(name ? QString::fromUtf8(name) : QString());
        if (!Index.contains(Names.constLast()))
            Index.insert(Names.constLast(), qsizetype(i));
        if (UnsafeName.isEmpty() && isUnsafe(Names.constLast()))
            UnsafeName = Names.constLast();
    }
}

ZipArchive::~ZipArchive() {
    if (Archive)
        zip_discard(Archive);
}

std::optional<QByteArray> ZipArchive::read(const QString& name, BookText* problem) {
    const qsizetype index = Index.value(name, -1);
    if (!Archive || index < 0) {
        *problem = BookProblem::missingEntry(name);
        return std::nullopt;
    }
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(Archive, zip_uint64_t(index), 0, &stat) != 0) {
        *problem = BookProblem::damagedEntry(name);
        return std::nullopt;
    }
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE) {
        *problem = BookProblem::encrypted();
        return std::nullopt;
    }
    // The directory's size is only a hint for the buffer; the count below is what holds.
    if ((stat.valid & ZIP_STAT_SIZE) && stat.size > zip_uint64_t(Budget)) {
        *problem = BookProblem::tooLarge(Limit);
        return std::nullopt;
    }
    zip_file_t* file = zip_fopen_index(Archive, zip_uint64_t(index), 0);
    if (!file) {
        *problem = BookProblem::damagedEntry(name);
        return std::nullopt;
    }
    QByteArray data;
    // Room for the size the directory gives and the last read, which finds the end: so the
    // buffer is never moved as it fills.
    if (stat.valid & ZIP_STAT_SIZE)
        data.reserve(qsizetype(stat.size) + ChunkSize);
    bool failed = false;
    for (;;) {
        const qsizetype at = data.size();
        const qint64 room = std::min(ChunkSize, Budget - at + 1);
        data.resize(at + room);
        const zip_int64_t got = zip_fread(file, data.data() + at, zip_uint64_t(room));
        if (got < 0) {
            failed = true;
            break;
        }
        data.resize(at + got);
        if (data.size() > Budget || got == 0)
            break;
    }
    zip_fclose(file);
    if (data.size() > Budget) {
        *problem = BookProblem::tooLarge(Limit);
        return std::nullopt;
    }
    if (failed) {
        *problem = BookProblem::damagedEntry(name);
        return std::nullopt;
    }
    Budget -= data.size();
    return data;
}

QString resolveEntryPath(const QString& base, const QString& relative) {
    QString path = relative;
    const qsizetype hash = path.indexOf(QLatin1Char('#'));
    if (hash >= 0)
        path.truncate(hash);
    path = QUrl::fromPercentEncoding(path.toUtf8());
    const qsizetype slash = base.lastIndexOf(QLatin1Char('/'));
    if (!path.startsWith(QLatin1Char('/')) && slash >= 0)
        path = base.left(slash + 1) + path;
    QStringList steps;
    for (const QString& step : path.split(QLatin1Char('/'))) {
        if (step == QStringLiteral("..")) {
            if (steps.isEmpty())
                return {};
            steps.removeLast();
        } else if (!step.isEmpty() && step != QStringLiteral(".")) {
            steps.append(step);
        }
    }
    return steps.join(QLatin1Char('/'));
}
