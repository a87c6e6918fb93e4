#pragma once

#include "training/RunResult.h"

#include <QObject>

class QWidget;
class TAnsTextForm;
class TTextForm;
class TTextResultForm;

// "Тест по своему тексту": after a run over the user's own text, five sentences of the
// passage just read, each with a word left out, asked in a dialog like the text test's
// questions and scored like it. The text window's button "Проверить понимание" and
// Ctrl+Shift+T start it; both are refused, with the reason in the button's hint, while no
// passage qualifies.
class ClozeTest : public QObject {
    Q_OBJECT
public:
    // dialogParent: the window the question dialog is centred on; result: the text test's
    // result dialog, shown with this test's figures.
    ClozeTest(TTextForm& textForm, TTextResultForm& result, QWidget* dialogParent);

signals:
    // The answered test, for the diary: the run's speed and text, the right answers of five.
    void finished(const RunResult& result);

private:
    // Builds the test from the last passage and asks it; when no passage qualifies, says why.
    void start();
    // Why the test cannot start now; empty when it can.
    QString refusal() const;
    void passageChanged();
    // The button enabled or not, its hint saying why.
    void refresh();

    TTextForm& TextForm;
    TTextResultForm& ResultForm;
    TAnsTextForm* Questions = nullptr;
    // The passage was tested already, or holds too few sentences for a test.
    bool Used = false;
    bool TooPoor = false;
};
