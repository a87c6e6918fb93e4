#pragma once

class QWidget;

// The look the assistant and the guide share: light-blue tool windows in the 11-pixel face.
namespace CourseWindowLook {

void applyBackground(QWidget& window);
// Gives the face to the window and to every control in it, bold ones staying bold: below the
// main window's style sheet a face set on a window between does not reach the controls.
void applyFace(QWidget& window);

} // namespace CourseWindowLook
