#pragma once

#include "text/TestFile.h"

#include <QByteArrayView>
#include <QString>

#include <optional>

// A test text in its readable source form, UTF-8:
//
//   the test text, any number of lines (leading and trailing empty lines are dropped)
//   ---
//   ? question 1
//   + the right answer
//   - a wrong answer
//   - another wrong answer
//   ... five questions in all, each with three answers of which exactly one is "+".
//
// Below the "---" line, empty lines and lines starting with "#" are ignored.
// Every string must be writable in Windows-1251.

// Where the parts of a parsed source stand, as 1-based lines.
struct TestSourceLines {
    int textFirst = 0; // the text's first line; its lines follow one for one
    std::array<int, TestQuestionCount> questions{};
    std::array<std::array<int, TestAnswerCount>, TestQuestionCount> answers{};
};

struct TestSourceParse {
    std::optional<TestText> test;
    TestSourceLines lines; // set with test
    int errorLine = 0;     // 1-based line of the error
    QString error;
};

TestSourceParse parseTestSource(QByteArrayView utf8);
