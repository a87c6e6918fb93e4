#include "ZipBuilder.h"

#include <zip.h>

#include <cstdlib>

QByteArray buildZip(const QList<ZipEntry>& entries) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* target = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* archive = zip_open_from_source(target, ZIP_TRUNCATE, &error);
    if (!archive)
        std::abort();
    zip_source_keep(target);
    for (const ZipEntry& entry : entries) {
        // libzip copies nothing: the data must live until the archive is closed.
        zip_source_t* data =
            zip_source_buffer(archive, entry.data.constData(), zip_uint64_t(entry.data.size()), 0);
        const zip_int64_t index =
            zip_file_add(archive, entry.name.toUtf8().constData(), data, ZIP_FL_ENC_UTF_8);
        if (index < 0)
            std::abort();
        zip_set_file_compression(archive, zip_uint64_t(index),
                                 entry.deflate ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 0);
    }
    if (zip_close(archive) != 0)
        std::abort();
    QByteArray bytes;
    zip_stat_t stat;
    if (zip_source_stat(target, &stat) == 0 && zip_source_open(target) == 0) {
        bytes.resize(qsizetype(stat.size));
        zip_source_read(target, bytes.data(), stat.size);
        zip_source_close(target);
    }
    zip_source_free(target);
    zip_error_fini(&error);
    return bytes;
}
