#include "course/GuideText.h"

#include "course/GuideLayout.h"

namespace GuideText {

namespace {

const QString Indent = QStringLiteral("    ");
const QString SubIndent = QStringLiteral("     ");

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

// The value a setting line asks for.
QString valueOf(LineCheck check, const CourseStage& s) {
    switch (check) {
    case LineCheck::FieldWidth:
        return QString::number(s.FieldWidth);
    case LineCheck::ColumnWidth:
        return QString::number(s.ColumnWidth);
    case LineCheck::Speed:
        return QString::number(s.StageSpeed);
    case LineCheck::Alignment:
        return alignmentName(s.Alignment);
    case LineCheck::ReadingMode:
        return modeName(s.ReadingMode);
    case LineCheck::TableSize:
        return QString::number(s.TableColumns) + QStringLiteral(" X ") +
               QString::number(s.TableRows);
    case LineCheck::None:
    case LineCheck::Kind:
    case LineCheck::TextLoaded:
        break;
    }
    return {};
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
    if (stage.Kind == StageKind::Result)
        return result(courseSpeed, courseWidth, level);
    QStringList out;
    int step = 0;
    for (const GuideLine& line : guideLayout(stage.Kind).Lines) {
        const QString text = line.Text.toString();
        switch (line.Role) {
        case LineRole::Kind:
        case LineRole::Step:
        case LineRole::Settings:
        case LineRole::Run:
            out << QStringLiteral(" %1. ").arg(++step) + text;
            break;
        case LineRole::KindName:
            out << SubIndent + text;
            break;
        case LineRole::Setting:
            out << SubIndent + QStringLiteral("*  ") + text + valueOf(line.Check, stage);
            break;
        case LineRole::Separator:
            out << separator();
            break;
        case LineRole::Hint:
            out << Indent + text;
            break;
        }
    }
    return out;
}

QString text(const CourseStage& stage, int courseSpeed, int courseWidth, int level) {
    return lines(stage, courseSpeed, courseWidth, level).join(QStringLiteral("\r\n"));
}

} // namespace GuideText
