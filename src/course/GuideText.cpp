#include "course/GuideText.h"

namespace GuideText {

namespace {

const QString Step1 = QStringLiteral(" 1. ");
const QString Step2 = QStringLiteral(" 2. ");
const QString Step3 = QStringLiteral(" 3. ");
const QString Step4 = QStringLiteral(" 4. ");
const QString Indent = QStringLiteral("    ");

QString separator() {
    return QLatin1Char(' ') + QString(66, QLatin1Char('-'));
}

QString alignmentName(int code) {
    switch (code) {
    case CourseAlignment::Left:
        return QStringLiteral("По левому краю");
    case CourseAlignment::Centre:
        return QStringLiteral("По центру");
    default:
        return QStringLiteral("По правому краю");
    }
}

QString modeName(int code) {
    return code == CourseReadingMode::Dynamic ? QStringLiteral("Динамическое чтение")
                                              : QStringLiteral("Статическое чтение");
}

QString fieldWidthLine(const CourseStage& s) {
    return Indent + QStringLiteral(" *  ширина поля чтения: ") + QString::number(s.FieldWidth);
}

QString speedLine(const CourseStage& s) {
    return Indent + QStringLiteral(" *  скорость проигрывания: ") + QString::number(s.StageSpeed);
}

// The five settings of a text stage.
QStringList textParameters(const CourseStage& s) {
    return {fieldWidthLine(s),
            Indent + QStringLiteral(" *  ширина колонки текста: ") + QString::number(s.ColumnWidth),
            speedLine(s),
            Indent + QStringLiteral(" *  выравнивание: ") + alignmentName(s.Alignment),
            Indent + QStringLiteral(" *  режим чтения: ") + modeName(s.ReadingMode)};
}

QStringList textHints() {
    return {Indent + QStringLiteral("Попробуйте увеличить скорость"),
            Indent + QStringLiteral("в процессе чтения текста.")};
}

const QString GoToExercise = QStringLiteral("Перейдите к упражнению");
const QString GoToTest = QStringLiteral("Перейдите к тестовому упражнению");
const QString SetParameters = QStringLiteral("Установите параметры упражнения:");
const QString Run = QStringLiteral("Запустите упражнение");
const QString Peripheral = QStringLiteral("используя периферическое зрение.");

QStringList textReading(const CourseStage& s) {
    return QStringList{Step1 + GoToExercise, Indent + QStringLiteral(" Чтение текста"),
                       Step2 + QStringLiteral("Загрузите текст из файла"), Step3 + SetParameters} +
           textParameters(s) + QStringList{Step4 + Run, separator()} + textHints();
}

QStringList textTest(const CourseStage& s) {
    return QStringList{Step1 + GoToTest, Indent + QStringLiteral(" на скорость чтения текста"),
                       Step2 + SetParameters} +
           textParameters(s) + QStringList{Step3 + Run, separator()} + textHints();
}

QStringList table(const CourseStage& s, bool test) {
    return {test ? Step1 + GoToTest : Step1 + GoToExercise,
            test ? Indent + QStringLiteral(" на скорость чтения таблиц")
                 : Indent + QStringLiteral(" Чтение таблиц"),
            Step2 + SetParameters,
            Indent + QStringLiteral(" *  размер таблицы: ") + QString::number(s.TableColumns) +
                QStringLiteral(" X ") + QString::number(s.TableRows),
            speedLine(s),
            Step3 + Run,
            separator(),
            Indent + QStringLiteral("Смотрите в центр и читайте числа"),
            Indent + Peripheral};
}

QStringList fieldOfView(const CourseStage& s) {
    return {Step1 + GoToTest,      Indent + QStringLiteral(" на ширину поля зрения"),
            Step2 + SetParameters, fieldWidthLine(s),
            speedLine(s),          Step3 + Run,
            separator(),           Indent + QStringLiteral("Смотрите на маркер и читайте"),
            Indent + Peripheral};
}

QStringList result(int speed, int width, int level) {
    return {QString(),
            Indent + QStringLiteral("Ваш результат"),
            Indent + QStringLiteral("* Скорость: ") + QString::number(speed),
            Indent + QStringLiteral("* Ширина: ") + QString::number(width),
            Indent + QStringLiteral("соответствует уровню ") + QString::number(level) +
                QLatin1Char('.'),
            QString(),
            Indent + QStringLiteral("Нажмите Следующий...")};
}

} // namespace

QStringList lines(const CourseStage& stage, int courseSpeed, int courseWidth, int level) {
    switch (stage.Kind) {
    case StageKind::TextReading:
        return textReading(stage);
    case StageKind::TextTest:
        return textTest(stage);
    case StageKind::TableReading:
        return table(stage, false);
    case StageKind::TableTest:
        return table(stage, true);
    case StageKind::FieldOfViewTest:
        return fieldOfView(stage);
    case StageKind::Result:
        break;
    }
    return result(courseSpeed, courseWidth, level);
}

QString text(const CourseStage& stage, int courseSpeed, int courseWidth, int level) {
    return lines(stage, courseSpeed, courseWidth, level).join(QStringLiteral("\r\n"));
}

} // namespace GuideText
