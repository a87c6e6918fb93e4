#pragma once

#include "course/Unitscenario.h"

class QSettings;

// The course speed and width kept in the settings store as "SpeedWiz" and "WidthWiz".
namespace CourseResults {

// The stored values, or 900 and 10 when the store is missing, a value is missing or not a
// number, the restart flag asks to ignore them once, or either lies outside its range.
CourseValues load(const QSettings* store, bool restartCourse);
// Writes both values; a store that cannot be written is ignored.
void save(QSettings* store, CourseValues values);

} // namespace CourseResults
