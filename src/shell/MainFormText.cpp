// Opening a text file and remembering where the user stopped reading it.
#include "shell/Unitfrmain.h"

#include "dialogs/StandardError.h"
#include "exercise/LoadedText.h"
#include "platform/SettingsStore.h"
#include "shell/ProgramWindows.h"
#include "shell/TextFileReader.h"
#include "shell/TextMemory.h"
#include "shell/Unitbookmark.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>

namespace {

// The first three keep the indexes that "FilterIndex" has always stored (counted from 1); the
// book kinds follow them, and the last one, every kind the program reads, is where a user
// without a stored index starts.
const QStringList OpenFilters{
    QStringLiteral("Текстовые файлы (*.txt)"),
    QStringLiteral("Файлы RTF (*.rtf)"),
    QStringLiteral("Все файлы (*)"),
    QStringLiteral("Книги FB2 (*.fb2 *.fb2.zip)"),
    QStringLiteral("Книги EPUB (*.epub)"),
    QStringLiteral("Документы DOCX и ODT (*.docx *.odt)"),
    QStringLiteral("Веб-страницы (*.htm *.html *.xhtml *.xht)"),
    QStringLiteral("Все читаемые файлы (*.txt *.rtf *.fb2 *.fb2.zip *.epub *.docx *.odt *.htm "
                   "*.html *.xhtml *.xht)")};

// The hourglass for as long as a file is being read.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// Reads the file under the hourglass; the cursor is back to normal before anything (a message
// box included) is shown.
TextFileContent readUnderHourglass(const QString& path) {
    const BusyCursor busy;
    return TextFileReader::read(path);
}

} // namespace

QString TMainForm::textMemoryPath() const {
    return TextMemory::locate(ProgramDir);
}

void TMainForm::SpeedButton1Click() {
    SaveTextPosition();

    const auto store = SettingsStore::open();
    QFileDialog dialog(this, QStringLiteral("Открыть"));
    dialog.setObjectName(QStringLiteral("OpenDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(OpenFilters);
    bool filterStored = false;
    const int filterIndex = store->value(QStringLiteral("FilterIndex")).toInt(&filterStored);
    const QString lastDir = store->value(QStringLiteral("LastDir")).toString();
    if (filterStored)
        dialog.setDirectory(lastDir);
    else
        dialog.setDirectory(ProgramDir + QStringLiteral("LIBRARY"));
    const bool knownIndex = filterStored && filterIndex >= 1 && filterIndex <= OpenFilters.size();
    dialog.selectNameFilter(knownIndex ? OpenFilters.at(filterIndex - 1) : OpenFilters.constLast());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;

    const QString chosen = QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
    if (!openChosenFile(chosen))
        return;
    store->setValue(QStringLiteral("LastDir"),
                    QDir::toNativeSeparators(QFileInfo(chosen).absolutePath()));
    store->setValue(QStringLiteral("FilterIndex"),
                    int(OpenFilters.indexOf(dialog.selectedNameFilter())) + 1);
}

void TMainForm::OpenTextFile(const QString& path) {
    SaveTextPosition();
    openChosenFile(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
}

void TMainForm::PasteText(const QString& pasted) {
    if (pasted.isEmpty())
        return;
    if (pasted.size() > TextFileReader::MaximumFileSize) {
        showStandardError(this, QStringLiteral("Текст в буфере обмена слишком велик (больше "
                                               "32 МБ), он не вставлен."));
        return;
    }
    SaveTextPosition();
    FileName.clear(); // no file: its reading position is not kept
    QString flat = pasted;
    flat.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    Text->setLoadedText(flat, 0, 0);
    emit controlsChanged();
}

bool TMainForm::openChosenFile(const QString& chosen) {
    int caret = 0;
    int anchor = 0;
    if (const auto entry = TextMemory(textMemoryPath()).find(chosen)) {
        if (Windows->BookmarkForm->exec() == 1) {
            if (!entry->position) {
                showStandardError(this,
                                  QStringLiteral("Неверная запись в textmem.ini для файла \"") +
                                      chosen + QStringLiteral("\": ") + entry->error);
                return false;
            }
            caret = entry->position->caret;
            anchor = entry->position->anchor;
        }
    }

    repaint();
    const TextFileContent content = readUnderHourglass(chosen);
    if (!content.ok) {
        showStandardError(this, content.error);
        return false; // the previous text, its file name and view stay as they were
    }
    FileName = chosen;
    Text->setLoadedText(content.text, caret, anchor);
    if (!content.warning.isEmpty())
        showWarning(this, content.warning); // the text is shown, as much as could be read
    emit controlsChanged();
    return true;
}

void TMainForm::SaveTextPosition() {
    // In test mode a test text may be on show: its place is never the user's.
    const UserTextState user = Text->UserTextPlace();
    if (FileName.isEmpty() || user.Text.isEmpty())
        return;
    QString error;
    if (!TextMemory(textMemoryPath()).save(FileName, user.Caret, user.Anchor, &error))
        showStandardError(this, QStringLiteral("Не удалось сохранить место чтения: ") + error);
}
