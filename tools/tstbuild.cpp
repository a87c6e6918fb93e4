// tstbuild: turns a readable UTF-8 test source into a .tst test file.
//
//   tstbuild <source.txt> <out.tst>
//
// A malformed source is reported as "file:line: error: what is wrong" and
// gives a non-zero exit status; nothing is written then. A failed write (a full
// disk) leaves an earlier out.tst as it was.

#include "ToolInput.h"
#include "text/TestFile.h"
#include "text/TestSource.h"

#include <QString>

int main(int argc, char** argv) {
    if (argc != 3) {
        report(QStringLiteral("usage: tstbuild <source.txt> <out.tst>"));
        return 2;
    }
    const QString sourcePath = QString::fromLocal8Bit(argv[1]);
    const QString outPath = QString::fromLocal8Bit(argv[2]);

    const std::optional<QByteArray> bytes = readToolInput(sourcePath);
    if (!bytes)
        return 1;

    const TestSourceParse parsed = parseTestSource(*bytes);
    if (!parsed.test) {
        report(QStringLiteral("%1:%2: error: %3")
                   .arg(sourcePath)
                   .arg(parsed.errorLine)
                   .arg(parsed.error));
        return 1;
    }

    QString error;
    if (!writeTestFile(outPath, *parsed.test, &error)) {
        report(QStringLiteral("%1: error: %2").arg(outPath, error));
        return 1;
    }
    return 0;
}
