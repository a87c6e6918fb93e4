#pragma once

#include <QString>

// The user's own text and the place in it: the caret, and the first character of the line at
// the top of the view (plus one; 0 for the text's start).
struct UserTextState {
    QString Text;
    int Caret = 0;
    int Anchor = 0;
};

// The text the user opened, as the frame hands it over and asks for the place reached. The
// window that shows it answers; the frame knows nothing else of that window.
class LoadedText {
public:
    // Shows a newly opened text, the caret at caret and the line of anchor at the top.
    virtual void setLoadedText(const QString& text, int caret, int anchor) = 0;
    // The user's own text and the place in it: the text on show, or in test mode the one kept
    // aside.
    virtual UserTextState UserTextPlace() = 0;
    // A text is on show (the user's or, in test mode, a test text).
    virtual bool hasText() const = 0;

protected:
    ~LoadedText() = default;
};
