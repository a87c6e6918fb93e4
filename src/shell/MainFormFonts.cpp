// The exercise font, its measured metrics, and the reading-field width.
#include "shell/Unitfrmain.h"

#include "app/ProgramWindows.h"
#include "fieldofview/Unitfrstring.h"
#include "schulte/SchulteForm.h"
#include "table/Unitfrtable.h"
#include "text/Unitfrtext.h"
#include "widgets/TCSpinEdit.h"

#include <QComboBox>
#include <QFontInfo>
#include <QLabel>

void TMainForm::MeasureFont() {
    QFont font(FontName);
    font.setPointSize(FontSize);
    LabelTestFont->setFont(font);
    LabelSpace->setFont(font);
    const QFontMetrics metrics(font);
    CharWidth = std::max(1, metrics.horizontalAdvance(QLatin1Char('0')));
    CharHeight = std::max(1, metrics.height());
    SpaceWidth = std::max(1, metrics.horizontalAdvance(QLatin1Char(' ')));
    showFontFace(QFontInfo(font).family());
}

void TMainForm::showFontFace(const QString& usedFamily) {
    // A face that is not installed has no entry to select; the box then names the face and
    // the one drawn in its place instead of staying blank, to the eye and to screen readers.
    const QString shown = usedFamily.isEmpty() || usedFamily == FontName
                              ? FontName
                              : FontName + QStringLiteral(" (") + usedFamily + QStringLiteral(")");
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
    else if (active == Windows->SchulteForm)
        Windows->SchulteForm->setCaptionFont(QFont(FontName, FontSize));
}

void TMainForm::ComboBox2Change() {
    if (ActiveMDIChild() == Windows->TextForm)
        Windows->TextForm->SaveScrollAnchor();
    FontName = ComboBox2->currentText();
    MeasureFont();
    relayoutActiveExercise();
}

void TMainForm::ComboBox1Change() {
    if (ActiveMDIChild() == Windows->TextForm)
        Windows->TextForm->SaveScrollAnchor();
    FontSize = ComboBox1->currentText().toInt();
    MeasureFont();
    relayoutActiveExercise();
}

void TMainForm::CSpinEdit1Change() {
    if (CSpinEdit1->value() < 10) {
        CSpinEdit1->setValue(10); // runs this handler again
        return;
    }
    ReadingFieldWidth = CSpinEdit1->value();
    if (!Windows)
        return;
    if (ActiveMDIChild() == Windows->TextForm)
        Windows->TextForm->SetColumnLimits();
    else if (ActiveMDIChild() == Windows->StringForm)
        Windows->StringForm->FormActivate();
    RefreshCourseState();
}
