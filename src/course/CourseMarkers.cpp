#include "course/CourseMarkers.h"

#include "course/Unitmarker.h"

CourseMarkers::CourseMarkers(QWidget& mainWindow) : Main(mainWindow) {}

void CourseMarkers::ShowMarker(int slot, QWidget* control) {
    TMarkersForm*& marker = Slots.at(slot);
    if (marker)
        marker->Retarget(control);
    else
        marker = new TMarkersForm(&Main, control);
}

void CourseMarkers::HideMarker(int slot) {
    if (TMarkersForm* marker = Slots.at(slot))
        marker->close();
}

void CourseMarkers::HideAllMarkers() {
    for (int slot = 0; slot < MarkerSlotCount; ++slot)
        HideMarker(slot);
}
