#pragma once

#include <QString>

// The loaded text and the place in it where reading goes on, as flash reading sees them. The
// window that holds the text answers; flash reading reads from the place and moves it.
class ReadingPlace {
public:
    virtual ~ReadingPlace() = default;

    // The user's loaded text as the text window holds it, each CR and LF of the file a blank;
    // empty when none is loaded.
    virtual QString text() = 0;
    // The character position where reading goes on.
    virtual int place() = 0;
    // Moves the place to position pos and keeps it in view.
    virtual void setPlace(int pos) = 0;
};
