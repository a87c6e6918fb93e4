#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <optional>

constexpr int TestQuestionCount = 5;
constexpr int TestAnswerCount = 3;

// The content of a test file: a text and five questions about it, each with
// three answers of which one is right.
struct TestText {
    QString text;
    std::array<QString, TestQuestionCount> questions;
    std::array<std::array<QString, TestAnswerCount>, TestQuestionCount> answers;
    std::array<int, TestQuestionCount> right{}; // 0-based index of the right answer

    friend bool operator==(const TestText&, const TestText&) = default;
};

// A test file read, or why it could not be.
struct TestFileRead {
    std::optional<TestText> test;
    // From decodeTestFile: what is wrong with the data ("поле «вопрос 2» длиннее остатка
    // файла"). From readTestFile: a whole sentence for the user that names the file once.
    QString error;
};

// The .tst format: little-endian 32-bit signed lengths, each followed by that
// many bytes of Windows-1251 text of which the string is the part before the
// first NUL; the text, then five questions each followed by its three answers,
// then the five right-answer indexes as 32-bit signed integers.
TestFileRead decodeTestFile(QByteArrayView bytes);
TestFileRead readTestFile(const QString& path);
QByteArray encodeTestFile(const TestText& test);
bool writeTestFile(const QString& path, const TestText& test, QString* error = nullptr);

// Whether text has a character that is not a blank, CR or LF.
bool hasReadableCharacter(QStringView text);

// Test files live in programDir/Test as SKt1.tst, SKt2.tst, ...
QString testDirPath(const QString& programDir);
QString testFilePath(const QString& programDir, int number);
// How many test files exist in testDir under consecutive numbers from 1.
int countTestFiles(const QString& testDir);
