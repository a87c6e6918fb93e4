// Opening a 4 MB plain-text file that is not UTF-8: a real Windows-1251 file on disk read the
// way the program reads it (TextFileReader), and the decoding of its bytes alone. A UTF-8 file
// of the same size is measured beside it, since every file without a byte order mark is
// checked for UTF-8 first.

#include "BenchTexts.h"

#include "formats/TextDecoding.h"
#include "shell/TextFileReader.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr qsizetype FileSize = 4 * 1024 * 1024;

struct SampleFile {
    QString path;
    QByteArray bytes;
};

SampleFile writeSample(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return {};
    }
    return {path, bytes};
}

void readFile(benchmark::State& state, const SampleFile& sample) {
    qsizetype characters = 0;
    for (auto _ : state) {
        const TextFileContent content = TextFileReader::read(sample.path);
        if (!content.ok) {
            state.SkipWithError(qPrintable(content.error));
            return;
        }
        characters = content.text.size();
        benchmark::DoNotOptimize(content.text.constData());
    }
    state.SetBytesProcessed(state.iterations() * sample.bytes.size());
    state.counters["file_bytes"] = double(sample.bytes.size());
    state.counters["characters"] = double(characters);
}

void decodeBytes(benchmark::State& state, const SampleFile& sample) {
    for (auto _ : state)
        benchmark::DoNotOptimize(decodeText(sample.bytes).constData());
    state.SetBytesProcessed(state.iterations() * sample.bytes.size());
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    QTemporaryDir dir;
    const SampleFile cp1251 =
        writeSample(dir, QStringLiteral("4MB-1251.txt"), BenchTexts::cp1251File(FileSize));
    const SampleFile utf8 =
        writeSample(dir, QStringLiteral("4MB-utf8.txt"), BenchTexts::utf8File(FileSize));
    if (cp1251.path.isEmpty() || utf8.path.isEmpty())
        return 1;
    for (const auto& [name, sample] : {std::pair{"Windows1251", &cp1251}, {"Utf8", &utf8}}) {
        benchmark::RegisterBenchmark((std::string("BM_ReadPlainFile_") + name + "/4MB").c_str(),
                                     [sample](benchmark::State& s) { readFile(s, *sample); })
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("BM_DecodePlainText_") + name + "/4MB").c_str(),
                                     [sample](benchmark::State& s) { decodeBytes(s, *sample); })
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
