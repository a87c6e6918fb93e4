// tstcheck: checks test files, readable sources (.txt) and built test files (.tst) alike.
//
//   tstcheck <file or folder>...
//
// A folder is checked as a test folder: every SKt<n>.txt and SKt<n>.tst in it, and their
// numbers, which must run from 1 without a gap, since the program stops counting test files
// at the first missing number. Each fault is reported as "file:line: error: what is wrong"
// (a .tst file has no lines: "file: error: ..."); the exit status is non-zero when any file
// has one.

#include "ToolInput.h"
#include "text/TestCheck.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QString>

#include <cstdio>
#include <map>

namespace {

bool checkFile(const QString& path) {
    const std::optional<QByteArray> bytes = readToolInput(path);
    if (!bytes)
        return false;
    const bool built = path.endsWith(QStringLiteral(".tst"), Qt::CaseInsensitive);
    const std::optional<TestCheckFault> fault =
        built ? checkTestFile(*bytes) : checkTestSource(*bytes);
    if (!fault)
        return true;
    if (fault->line > 0)
        report(QStringLiteral("%1:%2: error: %3").arg(path).arg(fault->line).arg(fault->message));
    else
        report(QStringLiteral("%1: error: %2").arg(path, fault->message));
    return false;
}

// Checks the test files of a folder and their numbering; counts the files checked.
bool checkFolder(const QString& path, int* checked) {
    static const QRegularExpression name(QStringLiteral("^SKt([1-9][0-9]*)\\.(txt|tst)$"));
    const QDir dir(path);
    std::map<QString, std::map<int, QString>> byKind; // extension -> number -> file
    for (const QString& entry : dir.entryList(QDir::Files, QDir::Name)) {
        const QRegularExpressionMatch match = name.match(entry);
        if (match.hasMatch())
            byKind[match.captured(2)][match.captured(1).toInt()] = dir.filePath(entry);
    }
    if (byKind.empty()) {
        report(QStringLiteral("%1: error: no test files (SKt1.txt or SKt1.tst, ...)").arg(path));
        return false;
    }
    bool good = true;
    for (const auto& [extension, files] : byKind) {
        for (const auto& [number, file] : files) {
            good = checkFile(file) && good;
            ++*checked;
        }
        // The numbers are sorted: the first that is not its place in the row is after a gap.
        int expected = 1;
        for (const auto& [number, file] : files) {
            if (number != expected) {
                report(QStringLiteral("%1: error: SKt%2.%3 is missing, so SKt%4.%3 and the "
                                      "files after it are never used")
                           .arg(path)
                           .arg(expected)
                           .arg(extension)
                           .arg(number));
                good = false;
                break;
            }
            ++expected;
        }
    }
    return good;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        report(QStringLiteral("usage: tstcheck <file or folder>..."));
        return 2;
    }
    bool good = true;
    int checked = 0;
    for (int i = 1; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        if (QFileInfo(path).isDir()) {
            good = checkFolder(path, &checked) && good;
        } else {
            good = checkFile(path) && good;
            ++checked;
        }
    }
    if (good)
        std::printf("tstcheck: %d test file(s) checked, no faults\n", checked);
    return good ? 0 : 1;
}
