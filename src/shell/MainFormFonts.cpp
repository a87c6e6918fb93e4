// The exercise font, its measured metrics, and the reading-field width.
#include "shell/Unitfrmain.h"

#include "fieldofview/Unitfrstring.h"
#include "shell/ProgramWindows.h"
#include "table/Unitfrtable.h"
#include "text/Unitfrtext.h"
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

void TMainForm::relayoutActiveExercise() {
    QMdiSubWindow* active = ActiveMDIChild();
    if (active == Windows->TextForm)
        Windows->TextForm->RelayoutText();
    else if (active == Windows->TableForm)
        Windows->TableForm->FormActivate();
    else if (active == Windows->StringForm)
        Windows->StringForm->FormActivate();
}

void TMainForm::ComboBox2Change() {
    if (ActiveMDIChild() == Windows->TextForm)
        Windows->TextForm->SaveScrollAnchor();
    State.setFontName(ComboBox2->currentText()); // measured as it changes
    relayoutActiveExercise();
}

void TMainForm::ComboBox1Change() {
    if (ActiveMDIChild() == Windows->TextForm)
        Windows->TextForm->SaveScrollAnchor();
    State.setFontSize(ComboBox1->currentText().toInt()); // measured as it changes
    relayoutActiveExercise();
}

void TMainForm::CSpinEdit1Change() {
    if (CSpinEdit1->value() < 10) {
        CSpinEdit1->setValue(10); // runs this handler again
        return;
    }
    State.setReadingFieldWidth(CSpinEdit1->value());
    if (!Windows)
        return;
    if (ActiveMDIChild() == Windows->TextForm)
        Windows->TextForm->SetColumnLimits();
    else if (ActiveMDIChild() == Windows->StringForm)
        Windows->StringForm->FormActivate();
    emit controlsChanged();
}
