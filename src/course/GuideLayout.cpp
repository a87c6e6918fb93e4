#include "course/GuideLayout.h"

#include <algorithm>
#include <array>

namespace {

using R = LineRole;
using C = LineCheck;
using T = MarkerTarget;

constexpr QStringView GoToExercise = u"Перейдите к упражнению";
constexpr QStringView GoToTest = u"Перейдите к тестовому упражнению";
constexpr QStringView SetParameters = u"Установите параметры упражнения:";
constexpr QStringView Run = u"Запустите упражнение";
constexpr QStringView FieldWidth = u"ширина поля чтения: ";
constexpr QStringView ColumnWidth = u"ширина колонки текста: ";
constexpr QStringView Speed = u"скорость проигрывания: ";
constexpr QStringView Alignment = u"выравнивание: ";
constexpr QStringView ReadingMode = u"режим чтения: ";
constexpr QStringView TableSize = u"размер таблицы: ";
constexpr QStringView ReadFaster = u"Попробуйте увеличить скорость";
constexpr QStringView WhileReading = u"в процессе чтения текста.";
constexpr QStringView LookAtCentre = u"Смотрите в центр и читайте числа";
constexpr QStringView LookAtMarker = u"Смотрите на маркер и читайте";
constexpr QStringView Peripheral = u"используя периферическое зрение.";

constexpr GuideLine Separator{R::Separator, C::None, T::None, {}};

constexpr GuideLine setting(C check, T target, QStringView label) {
    return {R::Setting, check, target, label};
}

constexpr GuideLine hint(QStringView text) {
    return {R::Hint, C::None, T::None, text};
}

constexpr GuideLine SettingsLine{R::Settings, C::None, T::None, SetParameters};
constexpr GuideLine RunLine{R::Run, C::None, T::StartButton, Run};

constexpr std::array<GuideLine, 2> kindLines(T button, QStringView goTo, QStringView name) {
    return {{{R::Kind, C::Kind, button, goTo}, {R::KindName, C::None, T::None, name}}};
}

template <std::size_t A, std::size_t B>
constexpr std::array<GuideLine, A + B> join(const std::array<GuideLine, A>& head,
                                            const std::array<GuideLine, B>& tail) {
    std::array<GuideLine, A + B> lines{};
    std::copy(head.begin(), head.end(), lines.begin());
    std::copy(tail.begin(), tail.end(), lines.begin() + A);
    return lines;
}

// From the settings on, the text stages' guides are the same.
constexpr std::array<GuideLine, 10> TextSettingsAndHints{{
    SettingsLine,
    setting(C::FieldWidth, T::WidthSpin, FieldWidth),
    setting(C::ColumnWidth, T::TextColumnGrip, ColumnWidth),
    setting(C::Speed, T::SpeedPanel, Speed),
    setting(C::Alignment, T::None, Alignment),
    setting(C::ReadingMode, T::None, ReadingMode),
    RunLine,
    Separator,
    hint(ReadFaster),
    hint(WhileReading),
}};

// The table and field-of-view guides from the settings on: the size asked for, the speed, the
// run and the hints on peripheral sight.
constexpr std::array<GuideLine, 7> peripheralSettingsAndHints(GuideLine size, QStringView lookAt) {
    return {{SettingsLine, size, setting(C::Speed, T::SpeedPanel, Speed), RunLine, Separator,
             hint(lookAt), hint(Peripheral)}};
}

constexpr auto TableSettingsAndHints =
    peripheralSettingsAndHints(setting(C::TableSize, T::TableSizeButton, TableSize), LookAtCentre);

constexpr auto TextReading = join(
    join(kindLines(T::TextButton, GoToExercise, u"Чтение текста"),
         std::array{GuideLine{R::Step, C::TextLoaded, T::OpenButton, u"Загрузите текст из файла"}}),
    TextSettingsAndHints);

constexpr auto TextTest =
    join(kindLines(T::TextButton, GoToTest, u"на скорость чтения текста"), TextSettingsAndHints);

constexpr auto TableReading =
    join(kindLines(T::TableButton, GoToExercise, u"Чтение таблиц"), TableSettingsAndHints);

constexpr auto TableTest =
    join(kindLines(T::TableButton, GoToTest, u"на скорость чтения таблиц"), TableSettingsAndHints);

constexpr auto FieldOfViewTest =
    join(kindLines(T::StringButton, GoToTest, u"на ширину поля зрения"),
         peripheralSettingsAndHints(setting(C::FieldWidth, T::LineGrip, FieldWidth), LookAtMarker));

static_assert(std::max({TextReading.size(), TextTest.size(), TableReading.size(), TableTest.size(),
                        FieldOfViewTest.size()}) <= CourseStage::LineCount);

// In the order of StageKind's values.
constexpr std::array<GuideLayout, 6> Layouts{{
    {false, TextReading},
    {false, TableReading},
    {true, FieldOfViewTest},
    {true, TextTest},
    {true, TableTest},
    {false, {}},
}};

} // namespace

const GuideLayout& guideLayout(StageKind kind) {
    return Layouts[std::size_t(kind)];
}
