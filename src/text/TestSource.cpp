#include "text/TestSource.h"

#include "formats/TextDecoding.h"

#include <QList>

namespace {

struct SourceError {
    int line;
    QString message;
};

bool isBlank(QStringView line) {
    return line.trimmed().isEmpty();
}

// A character outside Windows-1251, or a NUL, which would end the string early.
std::optional<QString> unwritable(const QString& text) {
    if (text.contains(QChar(0)))
        return QStringLiteral("NUL character");
    if (text.contains(u'\r'))
        return QStringLiteral("carriage return inside a line");
    const QString back = decodeWindows1251(encodeWindows1251(text));
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (i >= back.size() || back.at(i) != text.at(i)) {
            const char32_t code = text.at(i).isSurrogate() && i + 1 < text.size()
                                      ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1))
                                      : text.at(i).unicode();
            return QStringLiteral("character U+%1 cannot be written in Windows-1251")
                .arg(
                    QString::number(static_cast<uint>(code), 16).toUpper().rightJustified(4, u'0'));
        }
    }
    return std::nullopt;
}

class Parser {
public:
    explicit Parser(QList<QString> lines) : m_lines(std::move(lines)) {}

    std::optional<SourceError> parse(TestText* test, TestSourceLines* where) {
        qsizetype separator = m_lines.indexOf(QStringLiteral("---"));
        if (separator < 0)
            return SourceError{
                lastLine(), QStringLiteral("no \"---\" line between the text and the questions")};
        if (auto error = parseText(separator, &test->text, &where->textFirst))
            return error;
        return parseQuestions(separator + 1, test, where);
    }

private:
    int lastLine() const { return qMax(1, static_cast<int>(m_lines.size())); }

    std::optional<SourceError> parseText(qsizetype end, QString* text, int* firstLine) {
        qsizetype first = 0;
        while (first < end && isBlank(m_lines.at(first)))
            ++first;
        qsizetype last = end;
        while (last > first && isBlank(m_lines.at(last - 1)))
            --last;
        if (first == last)
            return SourceError{static_cast<int>(end + 1), QStringLiteral("the test text is empty")};
        for (qsizetype i = first; i < last; ++i) {
            if (auto problem = unwritable(m_lines.at(i)))
                return SourceError{static_cast<int>(i + 1), *problem};
        }
        *text = m_lines.mid(first, last - first).join(QStringLiteral("\r\n"));
        *firstLine = static_cast<int>(first + 1);
        if (!hasReadableCharacter(*text))
            return SourceError{static_cast<int>(first + 1),
                               QStringLiteral("the test text has nothing to read")};
        return std::nullopt;
    }

    std::optional<SourceError> parseQuestions(qsizetype start, TestText* test,
                                              TestSourceLines* where) {
        int questions = 0; // questions begun so far
        int answers = 0;   // answers of the current question so far
        int rights = 0;    // right answers of the current question so far
        int questionLine = 0;

        const auto finishQuestion = [&]() -> std::optional<SourceError> {
            if (questions == 0)
                return std::nullopt;
            if (answers < TestAnswerCount)
                return SourceError{questionLine,
                                   QStringLiteral("question %1 has %2 answer(s), expected 3")
                                       .arg(questions)
                                       .arg(answers)};
            if (rights != 1)
                return SourceError{
                    questionLine,
                    QStringLiteral(
                        "question %1 has %2 right answers (\"+ \"), expected exactly one")
                        .arg(questions)
                        .arg(rights)};
            return std::nullopt;
        };

        for (qsizetype i = start; i < m_lines.size(); ++i) {
            const QString& line = m_lines.at(i);
            const int lineNumber = static_cast<int>(i + 1);
            if (isBlank(line) || line.startsWith(u'#'))
                continue;

            const QString content = line.mid(2).trimmed();
            if (line.startsWith(QStringLiteral("? "))) {
                if (auto error = finishQuestion())
                    return error;
                if (questions == TestQuestionCount)
                    return SourceError{lineNumber, QStringLiteral("more than five questions")};
                if (content.isEmpty())
                    return SourceError{lineNumber, QStringLiteral("empty question")};
                if (auto problem = unwritable(content))
                    return SourceError{lineNumber, *problem};
                test->questions[questions] = content;
                where->questions[questions] = lineNumber;
                ++questions;
                answers = 0;
                rights = 0;
                questionLine = lineNumber;
                continue;
            }

            const bool right = line.startsWith(QStringLiteral("+ "));
            if (right || line.startsWith(QStringLiteral("- "))) {
                if (questions == 0)
                    return SourceError{lineNumber,
                                       QStringLiteral("answer before the first question")};
                if (answers == TestAnswerCount)
                    return SourceError{
                        lineNumber,
                        QStringLiteral("question %1 has more than three answers").arg(questions)};
                if (content.isEmpty())
                    return SourceError{lineNumber, QStringLiteral("empty answer")};
                if (auto problem = unwritable(content))
                    return SourceError{lineNumber, *problem};
                test->answers[questions - 1][answers] = content;
                where->answers[questions - 1][answers] = lineNumber;
                if (right) {
                    test->right[questions - 1] = answers;
                    ++rights;
                }
                ++answers;
                continue;
            }

            return SourceError{
                lineNumber,
                QStringLiteral("unexpected line; expected \"? \", \"+ \", \"- \" or \"#\"")};
        }

        if (auto error = finishQuestion())
            return error;
        if (questions < TestQuestionCount)
            return SourceError{lastLine(),
                               QStringLiteral("%1 question(s), expected five").arg(questions)};
        return std::nullopt;
    }

    QList<QString> m_lines;
};

} // namespace

TestSourceParse parseTestSource(QByteArrayView utf8) {
    TestSourceParse result;
    if (utf8.startsWith("\xEF\xBB\xBF"))
        utf8 = utf8.sliced(3);

    // Decode line by line so that bad UTF-8 is reported with its line.
    QList<QString> lines;
    qsizetype start = 0;
    while (start < utf8.size()) {
        qsizetype end = utf8.indexOf('\n', start);
        if (end < 0)
            end = utf8.size();
        QByteArrayView bytes = utf8.sliced(start, end - start);
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        QString line = QString::fromUtf8(bytes);
        // Valid UTF-8, and only that, survives the way back unchanged.
        if (line.toUtf8() != bytes.toByteArray()) {
            result.errorLine = static_cast<int>(lines.size() + 1);
            result.error = QStringLiteral("not valid UTF-8");
            return result;
        }
        lines.append(std::move(line));
        start = end + 1;
    }

    TestText test;
    TestSourceLines where;
    Parser parser(std::move(lines));
    if (const std::optional<SourceError> error = parser.parse(&test, &where)) {
        result.errorLine = error->line;
        result.error = error->message;
        return result;
    }
    result.test = std::move(test);
    result.lines = where;
    return result;
}
