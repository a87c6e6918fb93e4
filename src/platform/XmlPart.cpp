#include "platform/XmlPart.h"

#include "platform/HtmlText.h"
#include "platform/NamedEncodings.h"

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

} // namespace

std::optional<QString> decodeXml(QByteArrayView bytes, QString* encoding) {
    *encoding = byteOrderMarkEncoding(bytes);
    if (encoding->isEmpty()) {
        if (bytes.startsWith(QByteArrayView("<\0?\0", 4)))
            *encoding = QStringLiteral("UTF-16LE");
        else if (bytes.startsWith(QByteArrayView("\0<\0?", 4)))
            *encoding = QStringLiteral("UTF-16BE");
        else
            *encoding = declaredEncoding(bytes);
    }
    if (encoding->isEmpty())
        *encoding = QStringLiteral("UTF-8");
    return decodeNamedEncoding(bytes, *encoding);
}

XmlPart::XmlPart(QByteArrayView bytes, QString name) : Name(std::move(name)) {
    QString encoding;
    const std::optional<QString> text = decodeXml(bytes, &encoding);
    if (!text) {
        Problem = BookProblem::unknownEncoding(Name, encoding);
        return;
    }
    // Read from a string, the declaration's encoding is not applied a second time.
    Xml.addData(*text);
}

QXmlStreamReader::TokenType XmlPart::next() {
    if (failed() || Xml.atEnd())
        return QXmlStreamReader::Invalid;
    const QXmlStreamReader::TokenType token = Xml.readNext();
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
