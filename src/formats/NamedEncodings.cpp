#include "formats/NamedEncodings.h"

#include "formats/CodePages.h"

#include <QStringDecoder>

namespace {

// "windows-1251", "cp1251", "x-cp1251", "ibm866", "cp866" name a code page by its number.
int codePageOf(const QString& name) {
    for (const QString& prefix : {QStringLiteral("windows-"), QStringLiteral("x-cp"),
                                  QStringLiteral("cp"), QStringLiteral("ibm")}) {
        if (!name.startsWith(prefix))
            continue;
        bool number = false;
        const int page = name.mid(prefix.size()).toInt(&number);
        if (number && singleByteCodePage(page))
            return page;
    }
    if (name == u"iso-8859-1" || name == u"latin1" || name == u"us-ascii" || name == u"ascii")
        return 1252; // as web pages mean it
    return 0;
}

} // namespace

QString byteOrderMarkEncoding(QByteArrayView bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QStringLiteral("UTF-8");
    if (bytes.startsWith("\xFF\xFE"))
        return QStringLiteral("UTF-16LE");
    if (bytes.startsWith("\xFE\xFF"))
        return QStringLiteral("UTF-16BE");
    return {};
}

std::optional<QString> decodeNamedEncoding(QByteArrayView bytes, const QString& name) {
    const QString key = name.trimmed().toLower();
    if (key == u"utf-8" || key == u"utf8") {
        if (bytes.startsWith("\xEF\xBB\xBF"))
            bytes = bytes.sliced(3);
        return QString::fromUtf8(bytes);
    }
    if (const int page = codePageOf(key))
        return decodeCodePage(bytes, page);
    QStringDecoder decoder(key.toLatin1().constData(), QStringDecoder::Flag::Stateless);
    if (!decoder.isValid())
        return std::nullopt;
    QString text = decoder.decode(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}
