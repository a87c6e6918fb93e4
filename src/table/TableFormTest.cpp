// The end of a table test run: the user names the numbers that were left out, then sees the
// result.
#include "table/Unitfrtable.h"

#include "app/ProgramWindows.h"
#include "shell/SpeedRegulator.h"
#include "shell/Unitfrmain.h"
#include "table/TableScore.h"
#include "table/Unitfranstable.h"
#include "table/Unittableresult.h"

#include <QLabel>
#include <QLineEdit>
#include <QSlider>

void TTableForm::AskTestQuestions() {
    TAnsTableForm* questions = Main.windows().AnsTableForm;
    for (QLineEdit* edit : {questions->Edit1, questions->Edit2, questions->Edit3})
        edit->setText(QStringLiteral("0"));
    if (questions->exec() != QDialog::Accepted)
        return;
    const TableScore::Three answers = {TableScore::answerValue(questions->Edit1->text()),
                                       TableScore::answerValue(questions->Edit2->text()),
                                       TableScore::answerValue(questions->Edit3->text())};
    Score = TableScore::namedCount(answers, Table.MissingNumbers);

    TTableResultForm* result = Main.windows().TableResultForm;
    result->Label4->setText(TableScore::scoreText(Score));
    result->Label5->setText(TableScore::sizeText(Main.Column, Main.Row));
    result->Label8->setText(SpeedRegulator::speedLabel(Main.TrackBar1->value()));
    result->Label6->setText(TableScore::missingText(Table.MissingNumbers));
    result->exec();
}
