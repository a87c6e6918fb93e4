// The exercise font, its measured metrics, and the reading-field width.
#include "shell/Unitfrmain.h"

#include "app/ProgramWindows.h"
#include "fieldofview/Unitfrstring.h"
#include "table/Unitfrtable.h"
#include "text/Unitfrtext.h"
#include "widgets/TCSpinEdit.h"

#include <QComboBox>
#include <QLabel>

void TMainForm::MeasureFont()
{
    QFont font(FontName);
    font.setPointSize(FontSize);
    LabelTestFont->setFont(font);
    LabelSpace->setFont(font);
    const QFontMetrics metrics(font);
    CharWidth = std::max(1, metrics.horizontalAdvance(QLatin1Char('0')));
    CharHeight = std::max(1, metrics.height());
    SpaceWidth = std::max(1, metrics.horizontalAdvance(QLatin1Char(' ')));
}

namespace {

// Runs the font handlers' common tail: re-layout of whichever exercise window is active.
template <typename Windows>
void relayoutActive(const Windows& w, QMdiSubWindow* active)
{
    if (active == w.TextForm)
        w.TextForm->RelayoutText();
    else if (active == w.TableForm)
        w.TableForm->FormActivate();
    else if (active == w.StringForm)
        w.StringForm->FormActivate();
}

} // namespace

void TMainForm::ComboBox2Change()
{
    if (ActiveMDIChild() == Windows->TextForm)
        Windows->TextForm->SaveScrollAnchor();
    FontName = ComboBox2->currentText();
    MeasureFont();
    relayoutActive(*Windows, ActiveMDIChild());
}

void TMainForm::ComboBox1Change()
{
    if (ActiveMDIChild() == Windows->TextForm)
        Windows->TextForm->SaveScrollAnchor();
    FontSize = ComboBox1->currentText().toInt();
    MeasureFont();
    relayoutActive(*Windows, ActiveMDIChild());
}

void TMainForm::CSpinEdit1Change()
{
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
