#pragma once

#include "course/StageCheck.h"

#include <array>

class QWidget;
class TMarkersForm;

// The markers of the running course, one per slot. A slot gets its marker the first time it
// is needed and reuses it from then on; the markers live as long as the main window.
class CourseMarkers {
public:
    explicit CourseMarkers(QWidget& mainWindow);

    // Points the slot's marker at the control; it shows at its next tick.
    void ShowMarker(int slot, QWidget* control);
    // Closes the slot's marker, if it has one.
    void HideMarker(int slot);
    void HideAllMarkers();

    TMarkersForm* marker(int slot) const { return Slots.at(slot); }

private:
    QWidget& Main;
    std::array<TMarkersForm*, MarkerSlotCount> Slots{};
};
