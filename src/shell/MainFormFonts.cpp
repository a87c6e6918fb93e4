// The exercise font, its measured metrics, and the reading-field width.
#include "shell/Unitfrmain.h"

#include "exercise/ExerciseWindow.h"
#include "widgets/TCSpinEdit.h"

#include <QComboBox>
#include <QFontInfo>
#include <QLabel>

void TMainForm::MeasureFont() {
    QFont font(State.FontName());
    font.setPointSize(State.FontSize());
    LabelTestFont->setFont(font);
    LabelSpace->setFont(font);
    const QFontMetrics metrics(font);
    State.setFontMetrics({std::max(1, metrics.horizontalAdvance(QLatin1Char('0'))),
                          std::max(1, metrics.height()),
                          std::max(1, metrics.horizontalAdvance(QLatin1Char(' ')))});
    showFontFace(QFontInfo(font).family());
}

void TMainForm::showFontInControls() {
    ComboBox2->setCurrentIndex(ComboBox2->findText(State.FontName()));
    ComboBox1->setCurrentIndex(ComboBox1->findText(QString::number(State.FontSize())));
    MeasureFont();
}

void TMainForm::showFontFace(const QString& usedFamily) {
    // A face that is not installed has no entry to select; the box then names the face and
    // the one drawn in its place instead of staying blank, to the eye and to screen readers.
    const QString name = State.FontName();
    const QString shown = usedFamily.isEmpty() || usedFamily == name
                              ? name
                              : name + QStringLiteral(" (") + usedFamily + QStringLiteral(")");
    ComboBox2->setPlaceholderText(shown);
    ComboBox2->setAccessibleDescription(ComboBox2->currentIndex() < 0 ? shown : QString());
}

void TMainForm::ComboBox2Change() {
    ExerciseWindow* active = activeExercise();
    if (active)
        active->keepViewPlace();
    State.setFontName(ComboBox2->currentText()); // measured as it changes
    if (active)
        active->fontChanged();
}

void TMainForm::ComboBox1Change() {
    ExerciseWindow* active = activeExercise();
    if (active)
        active->keepViewPlace();
    State.setFontSize(ComboBox1->currentText().toInt()); // measured as it changes
    if (active)
        active->fontChanged();
}

void TMainForm::CSpinEdit1Change() {
    if (CSpinEdit1->value() < 10) {
        CSpinEdit1->setValue(10); // runs this handler again
        return;
    }
    // The window in front lays itself out to the new width as it hears of it.
    State.setReadingFieldWidth(CSpinEdit1->value());
    if (Exercises.isEmpty())
        return;
    emit controlsChanged();
}
