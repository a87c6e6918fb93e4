#include "BenchTexts.h"

#include "formats/TextDecoding.h"

#include <QStringList>

namespace BenchTexts {

namespace {

// Sentences come from a small fixed pseudo-random source, so every run reads the same text.
class ProseSource {
public:
    QString sentence() {
        static const QStringList words =
            QString::fromUtf8(
                "утро туман над рекой медленно поднимался к соснам и старый мост ещё спал "
                "мальчик нёс вёдра по тропинке мимо огородов где бабушка полола грядки "
                "вечером в окнах загорался свет а собака лаяла на проезжающие телеги "
                "учитель открыл журнал посмотрел на класс и попросил прочитать страницу вслух "
                "зимой дорогу заносило снегом так что почтальон приходил только к обеду "
                "в библиотеке пахло бумагой клеем и немного пылью от высоких шкафов "
                "она читала быстро не останавливаясь на каждом слове и понимала всё главное "
                "поезд опоздал на два часа потому что ночью прошла сильная гроза "
                "самостоятельно разобраться в чертеже оказалось труднее чем он думал")
                .split(u' ', Qt::SkipEmptyParts);
        const int length = 5 + int(next() % 12);
        QString s;
        for (int i = 0; i < length; ++i) {
            QString w = words.at(int(next() % words.size()));
            if (i == 0)
                w[0] = w[0].toUpper();
            s += w;
            if (i + 1 < length) {
                const quint32 r = next() % 20;
                if (r == 0)
                    s += QStringLiteral(" —");
                else if (r < 3)
                    s += u',';
                s += u' ';
            }
        }
        s += next() % 8 == 0 ? QStringLiteral("?") : QStringLiteral(".");
        return s;
    }

private:
    quint32 next() {
        State = State * 1664525u + 1013904223u;
        return State >> 8;
    }
    quint32 State = 20240611u;
};

QByteArray rtfBody(const QString& sentence) {
    const QByteArray cp1251 = encodeWindows1251(sentence);
    QByteArray out;
    out.reserve(cp1251.size() * 4);
    for (const char ch : cp1251) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte >= 0x80) {
            static const char hex[] = "0123456789abcdef";
            out += "\\'";
            out += hex[byte >> 4];
            out += hex[byte & 15];
        } else if (ch == '\\' || ch == '{' || ch == '}') {
            out += '\\';
            out += ch;
        } else {
            out += ch;
        }
    }
    return out;
}

template <typename Encode> QByteArray plainFile(qsizetype bytes, Encode encode) {
    ProseSource source;
    QByteArray file;
    file.reserve(bytes);
    for (;;) {
        const QString s = (file.isEmpty() ? QString() : QStringLiteral(" ")) + source.sentence();
        const QByteArray encoded = encode(s);
        if (file.size() + encoded.size() > bytes)
            return file;
        file += encoded;
    }
}

} // namespace

QString russianProse(qsizetype characters) {
    ProseSource source;
    QString text;
    text.reserve(characters + 200);
    while (text.size() < characters) {
        if (!text.isEmpty())
            text += u' ';
        text += source.sentence();
    }
    text.truncate(characters);
    return text;
}

QByteArray utf8File(qsizetype bytes) {
    return plainFile(bytes, [](const QString& s) { return s.toUtf8(); });
}

QByteArray cp1251File(qsizetype bytes) {
    return plainFile(bytes, [](const QString& s) { return encodeWindows1251(s); });
}

QByteArray rtfFile(qsizetype bytes) {
    const QByteArray head = "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049"
                            "{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial;}}\r\n"
                            "{\\colortbl ;\\red0\\green0\\blue0;}\r\n"
                            "\\viewkind4\\uc1\\pard\\f0\\fs24 ";
    const QByteArray tail = "\\par\r\n}\r\n";
    ProseSource source;
    QByteArray file = head;
    file.reserve(bytes);
    qsizetype lineStart = file.size();
    bool first = true;
    for (;;) {
        QByteArray s = rtfBody((first ? QString() : QStringLiteral(" ")) + source.sentence());
        first = false;
        // Writers break the source into lines; line breaks in RTF source are not text.
        if (file.size() - lineStart + s.size() > 200) {
            s.prepend("\r\n");
            lineStart = file.size() + 2;
        }
        if (file.size() + s.size() + tail.size() > bytes)
            break;
        file += s;
    }
    return file + tail;
}

} // namespace BenchTexts
