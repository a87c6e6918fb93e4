#include "text/TestFile.h"

#include "formats/TextDecoding.h"
#include "platform/FileReplacement.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QFileInfo>
#include <QtEndian>

namespace {

// A test text is a page or a short story; anything far larger is not a test file.
constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

// Reads the fields of a test file in order, refusing anything that would run
// past the end of the data.
class FieldReader {
public:
    explicit FieldReader(QByteArrayView bytes) : m_bytes(bytes) {}

    std::optional<qint32> readInt() {
        if (m_bytes.size() - m_pos < 4)
            return std::nullopt;
        const qint32 value = qFromLittleEndian<qint32>(m_bytes.data() + m_pos);
        m_pos += 4;
        return value;
    }

    // The string of a length-prefixed field, or an error text.
    std::optional<QString> readString(const QString& name, QString* error) {
        const std::optional<qint32> length = readInt();
        if (!length) {
            *error = QStringLiteral("он обрывается перед полем «%1»").arg(name);
            return std::nullopt;
        }
        if (*length < 0) {
            *error = QStringLiteral("отрицательная длина поля «%1»").arg(name);
            return std::nullopt;
        }
        if (*length > m_bytes.size() - m_pos) {
            *error = QStringLiteral("поле «%1» длиннее остатка файла").arg(name);
            return std::nullopt;
        }
        QByteArrayView field = m_bytes.sliced(m_pos, *length);
        m_pos += *length;
        const qsizetype nul = field.indexOf('\0');
        if (nul >= 0)
            field = field.first(nul);
        return decodeWindows1251(field);
    }

private:
    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
};

void appendInt(QByteArray* out, qint32 value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    out->append(bytes, 4);
}

void appendString(QByteArray* out, const QString& text) {
    QByteArray bytes = encodeWindows1251(text);
    // The string ends at the first NUL, so nothing after one could be read back.
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    bytes.append('\0');
    appendInt(out, static_cast<qint32>(bytes.size()));
    out->append(bytes);
}

} // namespace

bool hasReadableCharacter(QStringView text) {
    for (const QChar c : text) {
        if (c != u' ' && c != u'\r' && c != u'\n')
            return true;
    }
    return false;
}

TestFileRead decodeTestFile(QByteArrayView bytes) {
    TestFileRead result;
    TestText test;
    FieldReader reader(bytes);

    std::optional<QString> text = reader.readString(QStringLiteral("текст"), &result.error);
    if (!text)
        return result;
    test.text = *text;

    for (int q = 0; q < TestQuestionCount; ++q) {
        const QString name = QStringLiteral("вопрос %1").arg(q + 1);
        std::optional<QString> question = reader.readString(name, &result.error);
        if (!question)
            return result;
        test.questions[q] = *question;
        for (int a = 0; a < TestAnswerCount; ++a) {
            const QString answerName =
                QStringLiteral("ответ %1 к вопросу %2").arg(a + 1).arg(q + 1);
            std::optional<QString> answer = reader.readString(answerName, &result.error);
            if (!answer)
                return result;
            test.answers[q][a] = *answer;
        }
    }

    for (int q = 0; q < TestQuestionCount; ++q) {
        const std::optional<qint32> right = reader.readInt();
        if (!right) {
            result.error = QStringLiteral("нет номера правильного ответа к вопросу %1").arg(q + 1);
            return result;
        }
        if (*right < 0 || *right >= TestAnswerCount) {
            result.error = QStringLiteral("номер правильного ответа к вопросу %1 равен %2")
                               .arg(q + 1)
                               .arg(*right);
            return result;
        }
        test.right[q] = *right;
    }

    // Playback times only readable characters; without one no speed can be measured.
    if (!hasReadableCharacter(test.text)) {
        result.error = QStringLiteral("в тексте нет ни одного символа для чтения");
        return result;
    }

    result.test = std::move(test);
    return result;
}

TestFileRead readTestFile(const QString& path) {
    const QString name = QDir::toNativeSeparators(path);
    TestFileRead result;
    const RegularFileRead file = readRegularFile(path, MaxFileSize);
    switch (file.status) {
    case RegularFileRead::Status::Read:
        break;
    case RegularFileRead::Status::Missing:
    case RegularFileRead::Status::NotRegular:
        result.error = QStringLiteral("Файл теста %1 не найден.").arg(name);
        return result;
    case RegularFileRead::Status::TooLarge:
        result.error = QStringLiteral("Файл теста %1 слишком велик.").arg(name);
        return result;
    case RegularFileRead::Status::Failed:
        result.error =
            QStringLiteral("Не удалось прочитать файл теста %1: %2").arg(name, file.reason);
        return result;
    }
    result = decodeTestFile(file.bytes);
    if (!result.test)
        result.error = QStringLiteral("Тестовый файл %1 повреждён: %2.").arg(name, result.error);
    return result;
}

QByteArray encodeTestFile(const TestText& test) {
    QByteArray out;
    appendString(&out, test.text);
    for (int q = 0; q < TestQuestionCount; ++q) {
        appendString(&out, test.questions[q]);
        for (int a = 0; a < TestAnswerCount; ++a)
            appendString(&out, test.answers[q][a]);
    }
    for (int q = 0; q < TestQuestionCount; ++q)
        appendInt(&out, test.right[q]);
    return out;
}

bool writeTestFile(const QString& path, const TestText& test, QString* error) {
    QString reason;
    if (replaceFileContents(path, encodeTestFile(test), &reason))
        return true;
    if (error)
        *error = QStringLiteral("Не удалось записать файл %1: %2")
                     .arg(QDir::toNativeSeparators(path), reason);
    return false;
}

QString testDirPath(const QString& programDir) {
    return QDir(programDir).filePath(QStringLiteral("Test"));
}

QString testFilePath(const QString& programDir, int number) {
    return QDir(testDirPath(programDir)).filePath(QStringLiteral("SKt%1.tst").arg(number));
}

int countTestFiles(const QString& testDir) {
    const QDir dir(testDir);
    int count = 0;
    while (QFileInfo(dir.filePath(QStringLiteral("SKt%1.tst").arg(count + 1))).isFile())
        ++count;
    return count;
}
