#include "formats/XmlPart.h"

#include "formats/HtmlText.h"
#include "formats/NamedEncodings.h"

#include <QRegularExpression>

namespace {

// The encoding that the declaration <?xml ... encoding="..."?> names, or an empty string.
QString declaredEncoding(QByteArrayView bytes) {
    if (!bytes.startsWith("<?xml"))
        return {};
    const QByteArrayView head = bytes.first(std::min<qsizetype>(bytes.size(), 512));
    const qsizetype end = head.indexOf("?>");
    if (end < 0)
        return {};
    static const QRegularExpression encoding(
        QStringLiteral("encoding\\s*=\\s*[\"']([A-Za-z0-9._:-]+)[\"']"));
    const QRegularExpressionMatch match = encoding.match(QString::fromLatin1(head.first(end)));
    return match.hasMatch() ? match.captured(1) : QString();
}

// The encoding of an XML document: its byte order mark, else its declaration, else UTF-8.
QString xmlEncoding(QByteArrayView bytes) {
    QString encoding = byteOrderMarkEncoding(bytes);
    if (encoding.isEmpty()) {
        if (bytes.startsWith(QByteArrayView("<\0?\0", 4)))
            encoding = QStringLiteral("UTF-16LE");
        else if (bytes.startsWith(QByteArrayView("\0<\0?", 4)))
            encoding = QStringLiteral("UTF-16BE");
        else
            encoding = declaredEncoding(bytes);
    }
    return encoding.isEmpty() ? QStringLiteral("UTF-8") : encoding;
}

bool isUtf8(const QString& encoding) {
    const QString key = encoding.toLower();
    return key == u"utf-8" || key == u"utf8";
}

} // namespace

std::optional<QString> decodeXml(QByteArrayView bytes, QString* encoding) {
    *encoding = xmlEncoding(bytes);
    return decodeNamedEncoding(bytes, *encoding);
}

XmlPart::XmlPart(QByteArray bytes, QString name) : Name(std::move(name)), Size(bytes.size()) {
    const QString encoding = xmlEncoding(bytes);
    if (isUtf8(encoding)) {
        // The reader's own decoding, a piece at a time.
        Bytes = std::move(bytes);
        feed();
        return;
    }
    const std::optional<QString> text = decodeNamedEncoding(bytes, encoding);
    if (!text) {
        Problem = BookProblem::unknownEncoding(Name, encoding);
        return;
    }
    // Read from a string, the declaration's encoding is not applied a second time.
    Xml.addData(*text);
}

bool XmlPart::feed() {
    constexpr qsizetype PieceSize = 64 * 1024;
    if (Fed >= Bytes.size())
        return false;
    const qsizetype size = std::min(PieceSize, Bytes.size() - Fed);
    Xml.addData(QByteArray(Bytes.constData() + Fed, size));
    Fed += size;
    return true;
}

QXmlStreamReader::TokenType XmlPart::next() {
    if (failed() || Xml.atEnd())
        return QXmlStreamReader::Invalid;
    QXmlStreamReader::TokenType token = Xml.readNext();
    while (Xml.error() == QXmlStreamReader::PrematureEndOfDocumentError && feed())
        token = Xml.readNext();
    if (token == QXmlStreamReader::DTD && !Xml.entityDeclarations().isEmpty()) {
        Problem = BookProblem::declaresEntities(Name);
        return QXmlStreamReader::Invalid;
    }
    if (Xml.hasError()) {
        Problem = BookProblem::malformedXml(Name, std::max<qint64>(1, Xml.lineNumber()));
        return QXmlStreamReader::Invalid;
    }
    return token;
}

QString XmlPart::attribute(QStringView name) const {
    const QXmlStreamAttributes attributes = Xml.attributes();
    for (const QXmlStreamAttribute& a : attributes) {
        if (a.name() == name)
            return a.value().toString();
    }
    return {};
}

QString XmlPart::referenceText() const {
    const char16_t c = namedCharacter(Xml.name());
    return c ? QString(QChar(c)) : QString();
}
