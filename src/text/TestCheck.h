#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

// The rules a test file keeps beyond its format, so that it makes a fair test: a text of
// 1500 to 4000 characters (line breaks not counted), no control characters, no empty question
// or answer, and three different answers to each question, of which exactly one is marked right.
constexpr int MinTestTextLength = 1500;
constexpr int MaxTestTextLength = 4000;

struct TestCheckFault {
    int line = 0; // 1-based line in a readable source; 0 in a .tst file, which has no lines
    QString message;
};

// A readable source (see TestSource.h): its format, then the rules above.
std::optional<TestCheckFault> checkTestSource(QByteArrayView utf8);
// A .tst file: its format, text that reads as Windows-1251, then the rules above.
std::optional<TestCheckFault> checkTestFile(QByteArrayView bytes);
