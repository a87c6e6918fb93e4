#pragma once

#include <QObject>

class QWidget;
class TMainForm;

// The ways a text reaches the program besides the Open button: a file dropped onto the frame
// or the text window, and Ctrl+V in the text window. Both work only when Open itself could be
// pressed (outside a run and outside test mode).
class TextInlets : public QObject {
    Q_OBJECT
public:
    // textView: where the loaded text is shown, which takes Ctrl+V.
    TextInlets(TMainForm& main, QWidget& textView);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool mayLoad() const;
    void paste();

    TMainForm& Main;
};
