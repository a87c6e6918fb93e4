#include "training/ExerciseKinds.h"

#include "platform/HelpContext.h"

namespace {

const QString TextSpeed = QStringLiteral("Скорость проигрывания текста");
const QString TextSpeedAdvised = QStringLiteral("Рекомендуемая скорость проигрывания текста");
const QString FieldWidthAdvised = QStringLiteral("Рекомендуемая ширина поля чтения");

const std::array<ExerciseKindInfo, 5>& kinds() {
    static const std::array<ExerciseKindInfo, 5> table{{
        {.Kind = ExerciseKind::Text,
         .WindowName = "TextForm",
         .HelpContext = HelpContext::TextWindow,
         .Caption = QStringLiteral("Чтение текста"),
         .TestCaption = QStringLiteral("Тест на скорость чтения текста"),
         .HasTestMode = true,
         .Diary = DiaryKind::TextReading,
         .TestDiary = DiaryKind::TextTest,
         .Tips = 0,
         .Course = CourseRole::Stages,
         .ReadsLoadedText = true,
         .PanelHints = {TextSpeedAdvised, FieldWidthAdvised, TextSpeed,
                        QStringLiteral("Объем текста")},
         .Chosen = RunState::TextChosen,
         .ChooseKey = Qt::CTRL | Qt::Key_1},
        {.Kind = ExerciseKind::FieldOfView,
         .WindowName = "StringForm",
         .HelpContext = HelpContext::FieldOfViewWindow,
         .Caption = QStringLiteral("Тест на ширину поля зрения"),
         .TestCaption = QStringLiteral("Тест на ширину поля зрения"),
         .HasTestMode = true,
         .Diary = DiaryKind::FieldOfViewTest,
         .TestDiary = DiaryKind::FieldOfViewTest,
         .Tips = 1,
         .Course = CourseRole::Stages,
         .PanelHints = {QStringLiteral("Рекомендуемая скорость изменения чисел"), FieldWidthAdvised,
                        QStringLiteral("Скорость изменения чисел"), QString()},
         .Chosen = RunState::StringChosen,
         .ChooseKey = Qt::CTRL | Qt::Key_2},
        {.Kind = ExerciseKind::Table,
         .WindowName = "TableForm",
         .HelpContext = HelpContext::TableWindow,
         .Caption = QStringLiteral("Чтение таблиц"),
         .TestCaption = QStringLiteral("Тест на скорость чтения таблиц"),
         .HasTestMode = true,
         .Diary = DiaryKind::TableReading,
         .TestDiary = DiaryKind::TableTest,
         .Tips = 2,
         .Course = CourseRole::Stages,
         .WidthInCells = true,
         .PanelHints = {QStringLiteral("Рекомендуемая скорость проигрывания таблиц"),
                        QStringLiteral("Рекомендуемая ширина таблицы"),
                        QStringLiteral("Скорость проигрывания таблиц"), QString()},
         .Chosen = RunState::TableChosen,
         .ChooseKey = Qt::CTRL | Qt::Key_3},
        {.Kind = ExerciseKind::Schulte,
         .WindowName = "SchulteForm",
         .HelpContext = HelpContext::SchulteWindow,
         .F1OpensItsPage = true,
         .Caption = QStringLiteral("Таблицы Шульте"),
         .TestCaption = QStringLiteral("Таблицы Шульте"),
         .Diary = DiaryKind::Schulte,
         .TestDiary = DiaryKind::Schulte,
         .PanelHints = {TextSpeedAdvised, FieldWidthAdvised, TextSpeed,
                        QStringLiteral("Что найти следующим")},
         .ChooseKey = Qt::CTRL | Qt::Key_4,
         .EntryName = "SchulteKind",
         .EntryCaption = QStringLiteral("Шульте"),
         .EntryHint =
             QStringLiteral("Таблицы Шульте: найти всё по порядку, не сводя глаз с центра"),
         .EntryGlyph = QStringLiteral("schulte")},
        {.Kind = ExerciseKind::Flash,
         .WindowName = "FlashForm",
         .HelpContext = HelpContext::FlashWindow,
         .F1OpensItsPage = true,
         .Caption = QStringLiteral("Чтение вспышками"),
         .TestCaption = QStringLiteral("Чтение вспышками"),
         .Diary = DiaryKind::FlashReading,
         .TestDiary = DiaryKind::FlashReading,
         .ReadsLoadedText = true,
         .PanelHints = {TextSpeedAdvised, FieldWidthAdvised, TextSpeed, QString()},
         .ChooseKey = Qt::CTRL | Qt::Key_5,
         .EntryName = "FlashKind",
         .EntryCaption = QStringLiteral("Вспышки"),
         .EntryHint =
             QStringLiteral("Чтение вспышками: слова текста по одному или группами в одной точке"),
         .EntryGlyph = QStringLiteral("flash")},
    }};
    return table;
}

} // namespace

std::span<const ExerciseKindInfo> exerciseKinds() {
    return kinds();
}

const ExerciseKindInfo& describe(ExerciseKind kind) {
    return kinds().at(std::size_t(kind));
}

std::optional<ExerciseKind> exerciseKindFromCode(int code) {
    if (code < 0 || code >= int(kinds().size()))
        return std::nullopt;
    return ExerciseKind(code);
}
