#include "formats/BookText.h"

namespace BookProblem {

namespace {

BookText problem(const QString& reason) {
    return {false, QString(), reason};
}

QString quoted(const QString& entry) {
    return QStringLiteral("\"") + entry + QStringLiteral("\"");
}

// A size as the messages name it: in МБ or КБ when it is a whole number of them.
QString sizeText(qint64 bytes) {
    constexpr qint64 KB = 1024;
    constexpr qint64 MB = 1024 * KB;
    return bytes % MB == 0   ? QString::number(bytes / MB) + QStringLiteral(" МБ")
           : bytes % KB == 0 ? QString::number(bytes / KB) + QStringLiteral(" КБ")
                             : QString::number(bytes) + QStringLiteral(" байт");
}

} // namespace

BookText damagedArchive() {
    return problem(QStringLiteral("повреждён: архив ZIP не читается (он обрезан или испорчен)."));
}

BookText notAnArchive() {
    return problem(
        QStringLiteral("повреждён: книга или документ этого вида должны быть архивом ZIP, а он им "
                       "не является."));
}

BookText unknownArchive() {
    return problem(QStringLiteral("— архив ZIP, в котором нет ни книги FB2, ни книги EPUB, ни "
                                  "документа DOCX или ODT."));
}

BookText damagedEntry(const QString& entry) {
    return problem(QStringLiteral("повреждён: часть архива ") + quoted(entry) +
                   QStringLiteral(" не распаковывается."));
}

BookText missingEntry(const QString& entry) {
    return problem(QStringLiteral("повреждён: в архиве нет части ") + quoted(entry) +
                   QStringLiteral("."));
}

BookText unsafePath(const QString& entry) {
    return problem(QStringLiteral("повреждён: путь ") + quoted(entry) +
                   QStringLiteral(" ведёт за пределы архива."));
}

BookText encrypted() {
    return problem(QStringLiteral(
        "зашифрован (защищён паролем или DRM), поэтому программа не может его прочитать."));
}

BookText tooLarge(qint64 limit) {
    return problem(QStringLiteral("слишком велик: распакованный текст больше ") + sizeText(limit) +
                   QStringLiteral("."));
}

BookText malformedXml(const QString& entry, qint64 line) {
    return problem(QStringLiteral("повреждён: ошибка разметки XML в ") + quoted(entry) +
                   QStringLiteral(", строка ") + QString::number(line) + QStringLiteral("."));
}

BookText declaresEntities(const QString& entry) {
    return problem(QStringLiteral("не прочитан: ") + quoted(entry) +
                   QStringLiteral(" объявляет собственные сущности XML, а программа их не "
                                  "раскрывает."));
}

BookText unknownEncoding(const QString& entry, const QString& encoding) {
    return problem(QStringLiteral("не прочитан: ") + quoted(entry) +
                   QStringLiteral(" записан в неизвестной кодировке ") + quoted(encoding) +
                   QStringLiteral("."));
}

BookText tooMuchMarkup(const QString& entry, qint64 elementsPerCharacter) {
    return problem(QStringLiteral("не прочитан: в ") + quoted(entry) +
                   QStringLiteral(" слишком много разметки для его текста (больше ") +
                   QString::number(elementsPerCharacter) +
                   QStringLiteral(" элементов XML на каждый знак)."));
}

BookText markupTooLarge(const QString& entry, qint64 treeBytes) {
    return problem(QStringLiteral("не прочитан: разметка ") + quoted(entry) +
                   QStringLiteral(" заняла бы в памяти больше ") + sizeText(treeBytes) +
                   QStringLiteral("."));
}

BookText noText() {
    return problem(QStringLiteral("не содержит текста."));
}

} // namespace BookProblem
