#include "training/RunResult.h"

QString diaryKindName(DiaryKind kind) {
    switch (kind) {
    case DiaryKind::TextReading:
        return QStringLiteral("Чтение текста");
    case DiaryKind::TextTest:
        return QStringLiteral("Тест чтения текста");
    case DiaryKind::FieldOfViewTest:
        return QStringLiteral("Тест поля зрения");
    case DiaryKind::TableReading:
        return QStringLiteral("Чтение таблиц");
    case DiaryKind::TableTest:
        return QStringLiteral("Тест чтения таблиц");
    case DiaryKind::Schulte:
        return QStringLiteral("Таблицы Шульте");
    case DiaryKind::FlashReading:
        return QStringLiteral("Чтение вспышками");
    case DiaryKind::ClozeTest:
        return QStringLiteral("Тест по своему тексту");
    }
    return {};
}

bool diaryKindFromCode(int code, DiaryKind* kind) {
    for (DiaryKind k : AllDiaryKinds) {
        if (static_cast<int>(k) == code) {
            *kind = k;
            return true;
        }
    }
    return false;
}

int wordsPerMinute(int words, qint64 elapsedMs) {
    if (elapsedMs <= 0)
        return 0;
    return static_cast<int>(qint64(words) * 60000 / elapsedMs);
}
