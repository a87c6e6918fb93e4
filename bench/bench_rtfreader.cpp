// Reading a text file of several megabytes: the RTF reader and the plain-text decoder.
// The whole open of a 4 MB .rtf, up to the first painted page, should take at most 600 ms,
// so the reader alone should stay well under half of that.

#include "formats/RtfReader.h"
#include "formats/TextDecoding.h"

#include <QByteArray>
#include <QString>

#include <benchmark/benchmark.h>

namespace {

constexpr qsizetype kDocumentSize = 4 * 1024 * 1024;

const QString& paragraph() {
    static const QString text = QStringLiteral(
        "Старый паром ходил через реку дважды в день, и паромщик знал по именам всех, кто ждал "
        "его на берегу. Летом он пускал детей к штурвалу, а зимой, когда лёд вставал, чинил "
        "лодки соседям — «чтобы руки не забыли работу».");
    return text;
}

QByteArray header() {
    return QByteArray(R"({\rtf1\ansi\ansicpg1251\deff0{\fonttbl{\f0\froman\fcharset204 Times;})"
                      R"({\f1\fswiss\fcharset0 Arial;}}{\colortbl;\red0\green0\blue0;})"
                      R"({\*\generator bench;}\pard\plain\f0\fs24 )");
}

// One paragraph of the document, with the Cyrillic either as \'hh bytes or as \uN with a
// one-byte fallback, the two forms word processors write.
QByteArray paragraphRtf(bool unicodeWords) {
    QByteArray out;
    const QByteArray cp1251 = encodeWindows1251(paragraph());
    for (qsizetype i = 0; i < paragraph().size(); ++i) {
        const char16_t c = paragraph().at(i).unicode();
        const auto byte = static_cast<unsigned char>(cp1251.at(i));
        if (c < 0x80) {
            out.append(char(c));
            continue;
        }
        if (unicodeWords)
            out.append("\\u" + QByteArray::number(int(c)));
        out.append("\\'" + QByteArray::number(byte, 16));
    }
    out.append(R"( {\b bold} {\field{\*\fldinst PAGE}{\fldrslt 1}}\par)");
    out.append("\r\n");
    return out;
}

QByteArray document(bool unicodeWords) {
    QByteArray rtf = header();
    const QByteArray body = paragraphRtf(unicodeWords);
    while (rtf.size() < kDocumentSize)
        rtf.append(body);
    rtf.append('}');
    return rtf;
}

void readRtfDocument(benchmark::State& state, bool unicodeWords) {
    const QByteArray rtf = document(unicodeWords);
    qsizetype characters = 0;
    for (auto _ : state) {
        const RtfResult result = readRtf(rtf);
        characters = result.text.size();
        benchmark::DoNotOptimize(result.text.constData());
    }
    state.SetBytesProcessed(state.iterations() * rtf.size());
    state.counters["characters"] = double(characters);
}

void BM_ReadRtf_Cp1251Bytes(benchmark::State& state) {
    readRtfDocument(state, false);
}

void BM_ReadRtf_UnicodeWords(benchmark::State& state) {
    readRtfDocument(state, true);
}

QByteArray plainText() {
    QString text;
    while (text.size() < kDocumentSize / 2)
        text += paragraph() + QStringLiteral("\r\n");
    return text.toUtf8();
}

void BM_DecodeText_Utf8(benchmark::State& state) {
    const QByteArray bytes = plainText();
    for (auto _ : state)
        benchmark::DoNotOptimize(decodeText(bytes).constData());
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void BM_DecodeText_Windows1251(benchmark::State& state) {
    const QByteArray bytes = encodeWindows1251(QString::fromUtf8(plainText()));
    for (auto _ : state)
        benchmark::DoNotOptimize(decodeText(bytes).constData());
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

} // namespace

BENCHMARK(BM_ReadRtf_Cp1251Bytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadRtf_UnicodeWords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeText_Utf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeText_Windows1251)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
