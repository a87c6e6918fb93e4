// Opening a text file up to its first painted page, in the real text window of a whole
// program: reading the file (decoding, RTF, or a book's archive and XML), putting the text into
// the window (which lays it out in the column) and painting the view. Files are one paragraph
// of Russian prose, as UTF-8 plain text and as Windows-1251 RTF with \'hh escapes; and the same
// paragraphs as .txt, FB2, EPUB and DOCX side by side. Targets: a 4 MB .txt opens in at most
// 300 ms, a 4 MB .rtf in at most 600 ms, a book in at most twice the time of its .txt.

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

double msSince(const QElapsedTimer& clock, qint64& mark) {
    const qint64 now = clock.nsecsElapsed();
    const double ms = double(now - mark) / 1e6;
    mark = now;
    return ms;
}

void openToFirstPage(benchmark::State& state, const QString& path, qint64 fileSize) {
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
        if (!content.ok) {
            state.SkipWithError(qPrintable(content.error));
            break;
        }

        state.PauseTiming();
        characters = content.text.size();
        lines = view->lineCount();
        if (inked < 0)
            inked = inkedPixels(*view);
        // The next iteration opens into an empty window again.
        content = TextFileContent();
        form->setLoadedText(QString(), 0, 0);
        QApplication::processEvents();
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
                const qint64 fileSize = bytes.size();
                const std::string title =
                    (rtf ? "BM_OpenRtf/" : "BM_OpenTxt/") + sizeName(size).toStdString();
                benchmark::RegisterBenchmark(title.c_str(),
                                             [path, fileSize](benchmark::State& state) {
                                                 openToFirstPage(state, path, fileSize);
                                             })
                    ->Unit(benchmark::kMillisecond)
                    ->UseRealTime()
                    ->MinTime(size >= MB ? 3.0 : 1.0);
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
            const qint64 fileSize = bytes.size();
            const std::string title = std::string("BM_OpenBook/") + kind + "/4MB";
            benchmark::RegisterBenchmark(title.c_str(),
                                         [path, fileSize](benchmark::State& state) {
                                             openToFirstPage(state, path, fileSize);
                                         })
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->MinTime(3.0);
        }
        return true;
    });
}
