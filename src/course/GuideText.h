#pragma once

#include "course/CourseStage.h"

#include <QStringList>

// The instructions of a stage as the guide window shows them, one entry per line. The result
// stage also names the course speed, width and level reached.
namespace GuideText {

QStringList lines(const CourseStage& stage, int courseSpeed, int courseWidth, int level);
// The same lines joined with CR LF.
QString text(const CourseStage& stage, int courseSpeed, int courseWidth, int level);

} // namespace GuideText
