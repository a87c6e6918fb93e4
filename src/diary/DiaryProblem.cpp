#include "diary/DiaryProblem.h"

#include <QSqlError>

namespace {

struct CodeText {
    int code;
    DiaryProblem problem;
    const char16_t* text;
};

// SQLite's result codes as the user is told of them. Extended codes come first: a lookup takes
// the first row whose code is the full code, then the one for its primary code (the low byte).
constexpr CodeText CodeTexts[] = {
    {10 | (3 << 8), DiaryProblem::DiskFull,
     u"не удалось записать на диск: возможно, он переполнен"},
    {10 | (4 << 8), DiaryProblem::DiskFull,
     u"не удалось записать на диск: возможно, он переполнен"},
    {10 | (13 << 8), DiaryProblem::DiskFull, u"диск переполнен"},
    {8 | (1 << 8), DiaryProblem::Locked, u"файл дневника занят другой программой"},
    {1, DiaryProblem::Other, u"внутренняя ошибка базы данных дневника"},
    {2, DiaryProblem::Other, u"внутренняя ошибка базы данных дневника"},
    {3, DiaryProblem::NoPermission, u"нет прав на доступ к файлу дневника"},
    {4, DiaryProblem::Other, u"работа с дневником прервана"},
    {5, DiaryProblem::Locked, u"дневник занят другой программой"},
    {6, DiaryProblem::Locked, u"дневник заблокирован другой программой"},
    {7, DiaryProblem::Other, u"не хватает памяти"},
    {8, DiaryProblem::NoPermission, u"файл дневника открыт только для чтения"},
    {9, DiaryProblem::Other, u"работа с дневником прервана"},
    {10, DiaryProblem::Other, u"ошибка чтения или записи диска"},
    {11, DiaryProblem::Damaged, u"файл дневника повреждён"},
    {13, DiaryProblem::DiskFull, u"диск переполнен"},
    {14, DiaryProblem::NoPermission, u"файл дневника или его папку не удаётся открыть"},
    {15, DiaryProblem::Locked, u"не удалось заблокировать файл дневника"},
    {17, DiaryProblem::Other, u"устройство дневника изменилось во время работы"},
    {18, DiaryProblem::Other, u"запись слишком велика"},
    {19, DiaryProblem::Other, u"запись не прошла проверку"},
    {20, DiaryProblem::Other, u"значение не подходит к полю записи"},
    {22, DiaryProblem::DiskFull, u"файл дневника слишком велик для этого диска"},
    {23, DiaryProblem::NoPermission, u"нет разрешения на доступ к дневнику"},
    {26, DiaryProblem::Damaged, u"файл дневника повреждён или это не дневник"},
};

const CodeText* find(int code) {
    for (const CodeText& row : CodeTexts) {
        if (row.code == code)
            return &row;
    }
    return nullptr;
}

} // namespace

DiaryFailure diaryFailure(int sqliteCode) {
    if (sqliteCode == 0)
        return {};
    const CodeText* row = find(sqliteCode);
    if (!row)
        row = find(sqliteCode & 0xff);
    return {row ? row->problem : DiaryProblem::Other, sqliteCode};
}

DiaryFailure diaryFailure(const QSqlError& error) {
    if (error.type() == QSqlError::NoError)
        return {};
    bool isNumber = false;
    const int code = error.nativeErrorCode().toInt(&isNumber);
    // A failure the driver gives no code for is still a failure.
    return isNumber && code != 0 ? diaryFailure(code) : DiaryFailure{DiaryProblem::Other, -1};
}

QString DiaryFailure::reason() const {
    if (problem == DiaryProblem::None)
        return {};
    const CodeText* row = find(code);
    if (!row)
        row = find(code & 0xff);
    if (row)
        return QString::fromUtf16(row->text);
    return code > 0 ? QStringLiteral("ошибка базы данных дневника с кодом ") + QString::number(code)
                    : QStringLiteral("ошибка базы данных дневника без пояснения");
}
