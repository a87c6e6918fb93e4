// The end of a table test run: the user names the numbers that were left out, then sees the
// result.
#include "table/Unitfrtable.h"

#include "table/TableScore.h"
#include "table/Unitfranstable.h"
#include "table/Unittableresult.h"
#include "training/SpeedRegulator.h"
#include "training/TrainingState.h"

#include <QLabel>
#include <QLineEdit>

bool TTableForm::AskTestQuestions() {
    TAnsTableForm* questions = AnsTableForm;
    for (QLineEdit* edit : {questions->Edit1, questions->Edit2, questions->Edit3})
        edit->setText(QStringLiteral("0"));
    if (questions->exec() != QDialog::Accepted)
        return false;
    const TableScore::Three answers = {TableScore::answerValue(questions->Edit1->text()),
                                       TableScore::answerValue(questions->Edit2->text()),
                                       TableScore::answerValue(questions->Edit3->text())};
    Score = TableScore::namedCount(answers, Table.MissingNumbers);

    TTableResultForm* result = TableResultForm;
    result->Label4->setText(TableScore::scoreText(Score));
    result->Label5->setText(TableScore::sizeText(State.Column(), State.Row()));
    result->Label8->setText(SpeedRegulator::speedLabel(State.SpeedPosition()));
    result->Label6->setText(TableScore::missingText(Table.MissingNumbers));
    result->exec();
    return true;
}
