#pragma once

#include <QPoint>
#include <QRect>

// How the guide window keeps to the assistant window: it snaps to the assistant's edges when
// dragged near them, and while it sits right under the assistant it follows its moves.
namespace GuideDocking {

constexpr int SnapDistance = 20; // nearer than this snaps

struct Placement {
    QPoint TopLeft; // where the guide goes
    bool Docked = false;
};

// The assistant moved to `assistant`: the guide docks when its top-left corner is near the
// assistant's bottom-left one, and a docked guide goes right under the assistant.
Placement followAssistant(const QRect& assistant, const QRect& guide, bool docked);

// The guide moved to `guide`: it snaps to the assistant's nearby edges; it is docked when its
// top-left corner was near the assistant's bottom-left one.
Placement snapToAssistant(const QRect& assistant, const QRect& guide);

} // namespace GuideDocking
