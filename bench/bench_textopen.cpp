// Opening a text file up to its first painted page, in the real text window of a whole
// program: reading the file (decoding, RTF, or a book's archive and XML), putting the text into
// the window (which lays it out in the column) and painting the view. Files are one paragraph
// of Russian prose, as UTF-8 plain text and as Windows-1251 RTF with \'hh escapes; and the same
// paragraphs as .txt, FB2, EPUB and DOCX side by side; and books that pandoc made from about
// 4 MB of our prose (headings, lists, tables, emphasis, notes: bench/make_bench_books.py) as
// FB2, EPUB 3, DOCX, ODT and HTML beside its plain-text rendering. Targets: a 4 MB .txt opens in
// at most 300 ms, a 4 MB .rtf in at most 600 ms, a book in at most twice the time of its .txt.
// Hostile books of nearly 32 MB of markup with no text (empty elements in an FB2, a small DOCX
// whose document unpacks to empty runs) and an FB2 of one-letter paragraphs are refused; target:
// the process peaks under 200 MB. Every open reports the resident memory before it and the peak
// during it (reset before each open).

#include "BenchBooks.h"
#include "BenchMain.h"
#include "BenchProgram.h"
#include "BenchTexts.h"

#include "readingview/ReadingView.h"
#include "shell/TextFileReader.h"
#include "text/Unitfrtext.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPaintEvent>
#include <QPixmap>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr qint64 KB = 1024;
constexpr qint64 MB = 1024 * 1024;

// Counts the pixel rows the view's paint events cover, to show that a page was painted.
class PaintCounter : public QObject {
public:
    qint64 rows = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            rows += static_cast<QPaintEvent*>(event)->rect().height();
        return false;
    }
};

// Pixels of the painted view that are not white: the page really shows text.
qint64 inkedPixels(ReadingView& view) {
    const QImage image = view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    qint64 count = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            count += qRed(row[x]) < 0xF0;
    }
    return count;
}

// A figure of /proc/self/status, such as "VmHWM:", in MB.
double statusMb(const QByteArray& field) {
    QFile file(QStringLiteral("/proc/self/status"));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    for (QByteArray line = file.readLine(); !line.isEmpty(); line = file.readLine()) {
        if (line.startsWith(field))
            return line.mid(field.size()).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return -1;
}

// The peak resident memory starts again from what the process holds now.
void resetPeakMemory() {
    QFile file(QStringLiteral("/proc/self/clear_refs"));
    if (file.open(QIODevice::WriteOnly))
        file.write("5");
}

double msSince(const QElapsedTimer& clock, qint64& mark) {
    const qint64 now = clock.nsecsElapsed();
    const double ms = double(now - mark) / 1e6;
    mark = now;
    return ms;
}

// `refused`: the file should be refused; the reason, or that it was read, is the label.
void openToFirstPage(benchmark::State& state, const QString& path, qint64 fileSize, bool refused) {
    BenchProgram program;
    if (!program.isReady()) {
        state.SkipWithError("the program did not start");
        return;
    }
    TTextForm* form = program.windows().TextForm;
    ReadingView* view = form->RichEdit1;
    PaintCounter counter;
    view->viewport()->installEventFilter(&counter);

    std::vector<double> total;
    double readMs = 0, loadMs = 0, paintMs = 0;
    qsizetype characters = 0;
    int lines = 0;
    qint64 inked = -1;
    qint64 paintedRows = 0;
    QElapsedTimer clock;
    TextFileContent content;
    double peakMb = 0;
    QApplication::processEvents();
    const double rssBeforeMb = statusMb("VmRSS:");
    resetPeakMemory();
    for (auto _ : state) {
        clock.start();
        qint64 mark = 0;
        content = TextFileReader::read(path);
        readMs += msSince(clock, mark);
        form->setLoadedText(content.text, 0, 0);
        loadMs += msSince(clock, mark);
        // The first page: the view repaints at once, then anything else the load left due.
        const qint64 rowsBefore = counter.rows;
        view->viewport()->repaint();
        QApplication::processEvents();
        paintMs += msSince(clock, mark);
        total.push_back(double(clock.nsecsElapsed()) / 1e6);
        paintedRows += counter.rows - rowsBefore;
        if (!content.ok && !refused) {
            state.SkipWithError(qPrintable(content.error));
            break;
        }

        state.PauseTiming();
        peakMb = std::max(peakMb, statusMb("VmHWM:"));
        if (refused)
            state.SetLabel(content.ok ? "read, not refused" : content.error.toStdString());
        characters = content.text.size();
        lines = view->lineCount();
        if (inked < 0)
            inked = inkedPixels(*view);
        // The next iteration opens into an empty window again.
        content = TextFileContent();
        form->setLoadedText(QString(), 0, 0);
        QApplication::processEvents();
        resetPeakMemory();
        state.ResumeTiming();
    }
    if (total.empty())
        return;
    const double n = double(total.size());
    std::sort(total.begin(), total.end());
    state.counters["median_ms"] = total[total.size() / 2];
    state.counters["max_ms"] = total.back();
    state.counters["read_ms"] = readMs / n;
    state.counters["load_ms"] = loadMs / n;
    state.counters["paint_ms"] = paintMs / n;
    state.counters["file_bytes"] = double(fileSize);
    state.counters["characters"] = double(characters);
    state.counters["lines"] = lines;
    state.counters["inked_pixels"] = double(inked);
    state.counters["painted_rows"] = double(paintedRows) / n;
    state.counters["rss_before_mb"] = rssBeforeMb;
    state.counters["peak_mb"] = peakMb;
    state.SetBytesProcessed(state.iterations() * fileSize);
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return {};
    }
    return path;
}

void registerOpen(const std::string& title, const QString& path, qint64 fileSize, double minTime,
                  bool refused = false) {
    benchmark::RegisterBenchmark(title.c_str(),
                                 [path, fileSize, refused](benchmark::State& state) {
                                     openToFirstPage(state, path, fileSize, refused);
                                 })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->MinTime(minTime);
}

// The books pandoc made, if the build made them.
void registerPandocBooks() {
#ifdef SKIMORA_BENCH_BOOKS
    for (const char* kind : {"txt", "fb2", "epub", "docx", "odt", "html"}) {
        const QString path = QStringLiteral(SKIMORA_BENCH_BOOKS "/book.") + QLatin1String(kind);
        registerOpen(std::string("BM_OpenPandocBook/") + kind, path, QFileInfo(path).size(), 3.0);
    }
#endif
}

QString sizeName(qint64 size) {
    return size >= MB ? QString::number(size / MB) + QStringLiteral("MB")
                      : QString::number(size / KB) + QStringLiteral("KB");
}

} // namespace

int main(int argc, char** argv) {
    // The files are written once; every iteration opens them from the (warm) file cache.
    QTemporaryDir files;
    return runBenchmarks(argc, argv, [&files] {
        for (const bool rtf : {false, true}) {
            for (const qint64 size : {10 * KB, 100 * KB, 1 * MB, 4 * MB}) {
                const QByteArray bytes =
                    rtf ? BenchTexts::rtfFile(size) : BenchTexts::utf8File(size);
                const QString name =
                    sizeName(size) + (rtf ? QStringLiteral(".rtf") : QStringLiteral(".txt"));
                const QString path = writeFile(files, name, bytes);
                if (path.isEmpty())
                    return false;
                registerOpen((rtf ? "BM_OpenRtf/" : "BM_OpenTxt/") + sizeName(size).toStdString(),
                             path, bytes.size(), size >= MB ? 3.0 : 1.0);
            }
        }
        // Books: the same 4 MB of paragraphs as .txt, FB2, EPUB and DOCX, side by side.
        // Target: each book opens in at most twice the time of its .txt.
        const QStringList paragraphs = BenchBooks::paragraphs(4 * MB);
        const std::pair<const char*, QByteArray> books[] = {
            {"txt", BenchBooks::txtFile(paragraphs)},
            {"fb2", BenchBooks::fb2File(paragraphs)},
            {"epub", BenchBooks::epubFile(paragraphs)},
            {"docx", BenchBooks::docxFile(paragraphs)},
        };
        for (const auto& [kind, bytes] : books) {
            const QString path =
                writeFile(files, QStringLiteral("book.") + QLatin1String(kind), bytes);
            if (path.isEmpty())
                return false;
            registerOpen(std::string("BM_OpenBook/") + kind + "/4MB", path, bytes.size(), 3.0);
        }
        registerPandocBooks();
        // Hostile books, just under the program's 32 MB.
        constexpr qsizetype Hostile = 32 * MB - 64 * KB;
        const std::pair<const char*, QByteArray> hostile[] = {
            {"empty_elements.fb2", BenchBooks::emptyElementsFb2(Hostile)},
            {"one_letter_paragraphs.fb2", BenchBooks::oneLetterFb2(Hostile)},
            {"empty_runs.docx", BenchBooks::emptyRunsDocx(Hostile)},
        };
        for (const auto& [name, bytes] : hostile) {
            const QString path = writeFile(files, QLatin1String(name), bytes);
            if (path.isEmpty())
                return false;
            registerOpen(std::string("BM_OpenHostileBook/") + name, path, bytes.size(), 1.0, true);
        }
        return true;
    });
}
