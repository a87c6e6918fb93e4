#include "text/TestCheck.h"

#include "formats/TextDecoding.h"
#include "text/TestFile.h"
#include "text/TestSource.h"

#include <algorithm>

namespace {

// A part of a test: the text (question < 0), a question (answer < 0) or an answer.
struct Part {
    int question = -1;
    int answer = -1;
    qsizetype offset = 0; // in the text: where the fault is
};

struct ContentFault {
    Part part;
    QString message;
};

bool isControl(QChar c) {
    const char16_t code = c.unicode();
    return code < 0x20 || (code >= 0x7F && code < 0xA0);
}

bool isLineBreak(QChar c) {
    return c == u'\r' || c == u'\n';
}

QString codeOf(QChar c) {
    return QStringLiteral("U+%1").arg(
        QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0'));
}

std::optional<ContentFault> checkText(const QString& text) {
    qsizetype length = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (isLineBreak(c))
            continue;
        if (isControl(c) && c != u'\t')
            return ContentFault{{-1, -1, i},
                                QStringLiteral("control character %1 in the text").arg(codeOf(c))};
        if (++length == MaxTestTextLength + 1)
            return ContentFault{
                {-1, -1, i},
                QStringLiteral("the text passes %1 characters here").arg(MaxTestTextLength)};
    }
    if (length < MinTestTextLength)
        return ContentFault{{-1, -1, text.size()},
                            QStringLiteral("the text has %1 characters, expected %2 to %3")
                                .arg(length)
                                .arg(MinTestTextLength)
                                .arg(MaxTestTextLength)};
    return std::nullopt;
}

std::optional<QString> lineFault(const QString& line, const QString& what) {
    if (line.trimmed().isEmpty())
        return QStringLiteral("empty %1").arg(what);
    for (const QChar c : line) {
        if (isControl(c))
            return QStringLiteral("control character %1 in the %2").arg(codeOf(c), what);
    }
    return std::nullopt;
}

std::optional<ContentFault> checkContent(const TestText& test) {
    if (auto fault = checkText(test.text))
        return fault;
    for (int q = 0; q < TestQuestionCount; ++q) {
        if (auto fault = lineFault(test.questions[q], QStringLiteral("question")))
            return ContentFault{{q, -1, 0}, *fault};
        for (int a = 0; a < TestAnswerCount; ++a) {
            if (auto fault = lineFault(test.answers[q][a], QStringLiteral("answer")))
                return ContentFault{{q, a, 0}, *fault};
            // Two answers alike would both be right, or the right one would look wrong.
            for (int before = 0; before < a; ++before) {
                if (test.answers[q][a].trimmed().compare(test.answers[q][before].trimmed(),
                                                         Qt::CaseInsensitive) == 0)
                    return ContentFault{
                        {q, a, 0},
                        QStringLiteral("answer %1 repeats answer %2").arg(a + 1).arg(before + 1)};
            }
        }
    }
    return std::nullopt;
}

int lineOf(const ContentFault& fault, const TestText& test, const TestSourceLines& lines) {
    const Part& part = fault.part;
    if (part.question < 0) {
        // The text's lines were joined with CR LF, one for one.
        return lines.textFirst +
               static_cast<int>(QStringView(test.text).first(part.offset).count(u'\n'));
    }
    if (part.answer < 0)
        return lines.questions[part.question];
    return lines.answers[part.question][part.answer];
}

QString partName(const Part& part) {
    if (part.question < 0)
        return QStringLiteral("text");
    if (part.answer < 0)
        return QStringLiteral("question %1").arg(part.question + 1);
    return QStringLiteral("answer %1 to question %2").arg(part.answer + 1).arg(part.question + 1);
}

} // namespace

std::optional<TestCheckFault> checkTestSource(QByteArrayView utf8) {
    const TestSourceParse parsed = parseTestSource(utf8);
    if (!parsed.test)
        return TestCheckFault{parsed.errorLine, parsed.error};
    if (const std::optional<ContentFault> fault = checkContent(*parsed.test))
        return TestCheckFault{lineOf(*fault, *parsed.test, parsed.lines), fault->message};
    return std::nullopt;
}

std::optional<TestCheckFault> checkTestFile(QByteArrayView bytes) {
    const TestFileRead read = decodeTestFile(bytes);
    if (!read.test)
        return TestCheckFault{0, read.error};
    // Text written in UTF-8 by mistake reads as Windows-1251 too, but as nonsense; a real
    // Windows-1251 text of any length is almost never valid UTF-8.
    const QByteArray text = encodeWindows1251(read.test->text);
    const bool nonAscii =
        std::any_of(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; });
    if (nonAscii && text.isValidUtf8())
        return TestCheckFault{0, QStringLiteral("text: it is UTF-8, not Windows-1251")};
    if (const std::optional<ContentFault> fault = checkContent(*read.test))
        return TestCheckFault{0, partName(fault->part) + QStringLiteral(": ") + fault->message};
    return std::nullopt;
}
