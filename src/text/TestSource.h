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
struct TestSourceParse {
    std::optional<TestText> test;
    int errorLine = 0; // 1-based line of the error
    QString error;
};

TestSourceParse parseTestSource(QByteArrayView utf8);
