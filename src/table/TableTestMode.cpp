// The end of a table test run: the user names the numbers that were left out, then sees the
// result.
#include "table/Unitfrtable.h"

#include "table/TableScore.h"
#include "table/Unitfranstable.h"
#include "table/Unittableresult.h"
#include "training/SpeedRegulator.h"
#include "training/TrainingState.h"

bool TTableForm::AskTestQuestions() {
    TAnsTableForm* questions = AnsTableForm;
    questions->clearAnswers();
    if (questions->exec() != QDialog::Accepted)
        return false;
    const std::array<QString, 3> typed = questions->answers();
    const TableScore::Three answers = {TableScore::answerValue(typed[0]),
                                       TableScore::answerValue(typed[1]),
                                       TableScore::answerValue(typed[2])};
    Score = TableScore::namedCount(answers, Table.MissingNumbers);

    TTableResultForm* result = TableResultForm;
    result->fill(TableScore::scoreText(Score), TableScore::sizeText(State.Column(), State.Row()),
                 SpeedRegulator::speedLabel(State.SpeedPosition()),
                 TableScore::missingText(Table.MissingNumbers));
    result->exec();
    return true;
}
