// The test on the user's own text: which word of a sentence is left out, which words stand
// beside it, and passages too poor for five questions.
#include "platform/RandomSource.h"
#include "text/ClozeBuilder.h"

#include <QSet>
#include <QTest>

namespace {

const QString Lighthouse = QStringLiteral(
    "Смотритель маяка поднимался на башню каждый вечер ровно в семь часов. Он протирал толстые "
    "стёкла фонаря мягкой фланелевой тряпкой и проверял запас керосина. Внизу, у самой воды, "
    "шумели волны и кричали беспокойные чайки.\r\nЗимой к маяку приходилось пробираться по узкой "
    "тропинке между заснеженными валунами. Однажды в густом тумане рыбацкая шхуна едва не "
    "разбилась о прибрежные скалы. Смотритель услышал далёкий гудок и стал звонить в медный "
    "колокол.\r\nРыбаки узнали знакомый звон и осторожно развернули своё судно к открытому морю. "
    "Весной они привезли смотрителю корзину копчёной рыбы и бочонок солёных грибов.");

const QString Library = QStringLiteral(
    "В районной библиотеке давно не хватало новых книг. Заведующая написала письмо в городское "
    "управление и попросила помочь с покупкой учебников. Пока ответа не было, читатели сами "
    "приносили прочитанные романы и журналы.\r\n— Несите всё, что не жалко! — просила "
    "заведующая.\r\nШкольники устроили в читальном зале выставку самодельных закладок. Старый "
    "переплётчик из соседнего дома взялся чинить потрёпанные тома бесплатно. К осени на полках "
    "появилось почти триста отремонтированных изданий. Потом пришла посылка с новыми словарями "
    "и атласами. Библиотекарь разложила их на отдельном столе у окна, чтобы каждый посетитель "
    "мог полистать.");

QString formOf(const QString& word) {
    QString form = word.toLower();
    form.replace(u'ё', u'е');
    return form;
}

QString oneLine(const QString& text) {
    return text.simplified();
}

} // namespace

class ClozeBuilderTest : public QObject {
    Q_OBJECT
private slots:
    void chosenWord_data();
    void chosenWord();
    void fiveQuestionsOverThePassage_data();
    void fiveQuestionsOverThePassage();
    void choicesFollowTheRandomSource();
    void tooPoorForFiveQuestions_data();
    void tooPoorForFiveQuestions();
    void passageLengthLeavesOutLineBreaks();
};

void ClozeBuilderTest::chosenWord_data() {
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<QString>("word"); // empty: no fair question
    QTest::newRow("a noun before a verb, the clause's first words left")
        << QStringLiteral("Пасечник осторожно открыл крышку старого улья и заглянул внутрь.")
        << QStringLiteral("крышку");
    QTest::newRow("names passed over")
        << QStringLiteral("Вечером к нам зашёл Аркадий Петрович с новостями из соседней деревни.")
        << QStringLiteral("новостями");
    QTest::newRow("conjunctions and relative pronouns open clauses")
        << QStringLiteral("Мы долго ждали, когда вернутся пчёлы, которые улетели за взятком.")
        << QStringLiteral("взятком");
    QTest::newRow("a verb when no noun has a clear ending")
        << QStringLiteral("В начале июня рабочие пчёлы начинают строить новые соты.")
        << QStringLiteral("начинают");
    QTest::newRow("an adjective by its suffix")
        << QStringLiteral("Перед нами поле, а за полем высокие сосновые леса.")
        << QStringLiteral("сосновые");
    QTest::newRow("a word the sentence repeats gives itself away")
        << QStringLiteral("Река несла лодку, и лодку качало на тёмной воде.")
        << QStringLiteral("качало");
    QTest::newRow("hyphenated words and short stems left")
        << QStringLiteral("Кто-то из соседей по-прежнему приходил за мёдом каждое воскресенье.")
        << QStringLiteral("соседей");
    QTest::newRow("numerals look like verbs but are not taken")
        << QStringLiteral("Тогда в саду росло двадцать яблонь и десять вишен.") << QString();
    QTest::newRow("function words only")
        << QStringLiteral("Он и она там, где они были всегда и будут потом.") << QString();
    QTest::newRow("too short") << QStringLiteral("Мёд был густой и тёмный.") << QString();
    QTest::newRow("numbers only") << QStringLiteral("1998 — 2004, 15 000 и 3 500.") << QString();
    QTest::newRow("dialogue dashes only") << QStringLiteral("— — — …") << QString();
    QTest::newRow("too long for the dialog")
        << QStringLiteral("Пасечник открыл крышку улья") +
               QStringLiteral(", и пчёлы поднялись над рамками густым облаком").repeated(5) +
               QLatin1Char('.')
        << QString();
}

void ClozeBuilderTest::chosenWord() {
    QFETCH(QString, sentence);
    QFETCH(QString, word);
    QCOMPARE(clozeWord(sentence), word);
}

void ClozeBuilderTest::fiveQuestionsOverThePassage_data() {
    QTest::addColumn<QString>("passage");
    QTest::addColumn<QStringList>("words");
    QTest::newRow("lighthouse") << Lighthouse
                                << QStringList{"часов", "чайки", "густом", "звонить", "смотрителю"};
    QTest::newRow("library, a line of dialogue")
        << Library << QStringList{"управление", "приносили", "читальном", "изданий", "посетитель"};
}

void ClozeBuilderTest::fiveQuestionsOverThePassage() {
    QFETCH(QString, passage);
    QFETCH(QStringList, words);
    RandomSource random;
    random.setFixedSeed(5);
    random.seedFromClock();
    const ClozeSet set = buildCloze(passage, random);
    QVERIFY(set.isReady());
    QStringList asked;
    const QString text = oneLine(passage);
    qsizetype lastAt = -1;
    for (const ClozeQuestion& q : set.questions) {
        asked << q.word;
        QCOMPARE(q.sentence.count(ClozeGap), 1);
        // The sentence is the passage's own, in the passage's order.
        const qsizetype at = text.indexOf(QString(q.sentence).replace(ClozeGap, q.word));
        QVERIFY2(at > lastAt, qPrintable(q.sentence));
        lastAt = at;
        QCOMPARE(q.choices.at(q.right), q.word);
        QSet<QString> forms;
        for (const QString& choice : q.choices) {
            forms.insert(formOf(choice));
            // Never the answer to another question.
            QVERIFY(choice == q.word || !words.contains(choice));
            QVERIFY2(text.contains(choice), qPrintable(choice));
            // A form of another choice would give the answer away or be a second answer.
            for (const QString& other : q.choices) {
                if (&other != &choice)
                    QVERIFY2(!formOf(other).startsWith(formOf(choice).left(4)),
                             qPrintable(choice + u' ' + other));
            }
        }
        QCOMPARE(forms.size(), TestAnswerCount);
    }
    QCOMPARE(asked, words);
    QCOMPARE(QSet<QString>(asked.begin(), asked.end()).size(), TestQuestionCount);
}

void ClozeBuilderTest::choicesFollowTheRandomSource() {
    // Over a few seeds the right word stands in every place, and the questions stay the same.
    QSet<int> places;
    QStringList firstWords;
    for (unsigned seed = 1; seed <= 4; ++seed) {
        RandomSource random;
        random.setFixedSeed(seed);
        random.seedFromClock();
        const ClozeSet set = buildCloze(Lighthouse, random);
        QVERIFY(set.isReady());
        QStringList words;
        for (const ClozeQuestion& q : set.questions) {
            places.insert(q.right);
            words << q.word;
        }
        if (firstWords.isEmpty())
            firstWords = words;
        QCOMPARE(words, firstWords);
    }
    QCOMPARE(places, QSet<int>({0, 1, 2}));
}

void ClozeBuilderTest::tooPoorForFiveQuestions_data() {
    QTest::addColumn<QString>("passage");
    QTest::addColumn<int>("usable");
    QTest::newRow("dialogue") << QStringLiteral("— Идёшь?\r\n— Иду.\r\n— Куда?\r\n— На реку, за "
                                                "водой.\r\n— Подожди меня!\r\n— Жду.")
                              << 0;
    QTest::newRow("numbers") << QStringLiteral("1. 2. 3.\r\n2004 — 2010.\r\n15, 16, 17, 18, 19, "
                                               "20.\r\nТом 3, с. 45–47.")
                             << 0;
    QTest::newRow("four sentences and short ones")
        << Lighthouse.section(QLatin1Char('.'), 0, 3) +
               QStringLiteral(". Ветер. Ночь. — Тише! — Слышишь? Гудок. Ещё гудок.")
        << 4;
    QTest::newRow("five sentences asking one word")
        << QStringLiteral("Дед долго чинил старую лодку на берегу. Внук весь день красил старую "
                          "лодку на берегу. Соседи вечером хвалили старую лодку на берегу. Утром "
                          "туман окутал старую лодку на берегу. Летом дачники снимали старую "
                          "лодку на берегу.")
        << 5;
}

void ClozeBuilderTest::tooPoorForFiveQuestions() {
    QFETCH(QString, passage);
    QFETCH(int, usable);
    RandomSource random;
    random.setFixedSeed(1);
    random.seedFromClock();
    const ClozeSet set = buildCloze(passage, random);
    QVERIFY(!set.isReady());
    QVERIFY(set.questions.isEmpty());
    QCOMPARE(set.usableSentences, usable);
}

void ClozeBuilderTest::passageLengthLeavesOutLineBreaks() {
    QCOMPARE(clozePassageLength(u"Мёд.\r\n\r\nСоты и воск."), 14);
    QCOMPARE(clozePassageLength(u""), 0);
}

QTEST_GUILESS_MAIN(ClozeBuilderTest)
#include "tst_clozebuilder.moc"
