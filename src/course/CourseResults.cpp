#include "course/CourseResults.h"

#include <QSettings>

#include <optional>

namespace CourseResults {

namespace {

const QString SpeedName = QStringLiteral("SpeedWiz");
const QString WidthName = QStringLiteral("WidthWiz");

std::optional<int> readInteger(const QSettings& store, const QString& name) {
    const QVariant value = store.value(name);
    bool ok = false;
    const int number = value.isValid() ? value.toString().trimmed().toInt(&ok) : 0;
    return ok ? std::optional<int>(number) : std::nullopt;
}

} // namespace

CourseValues load(const QSettings* store, bool restartCourse) {
    const CourseValues defaults;
    if (!store || restartCourse)
        return defaults;
    const std::optional<int> speed = readInteger(*store, SpeedName);
    const std::optional<int> width = readInteger(*store, WidthName);
    if (!speed || !width)
        return defaults;
    if (*speed < 0 || *speed > CourseValues::SpeedMax || *width < 0 ||
        *width > CourseValues::WidthMax)
        return defaults;
    return {*speed, *width};
}

void save(QSettings* store, CourseValues values) {
    if (!store)
        return;
    store->setValue(SpeedName, values.Speed);
    store->setValue(WidthName, values.Width);
    store->sync();
}

} // namespace CourseResults
