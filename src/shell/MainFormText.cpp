// Opening a text file and remembering where the user stopped reading it.
#include "shell/Unitfrmain.h"

#include "app/ProgramWindows.h"
#include "dialogs/StandardError.h"
#include "platform/ReadingView.h"
#include "platform/SettingsStore.h"
#include "shell/TextFileReader.h"
#include "shell/TextMemory.h"
#include "shell/Unitbookmark.h"
#include "text/Unitfrtext.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>

namespace {

const QStringList OpenFilters{QStringLiteral("Текстовые файлы (*.txt)"),
                              QStringLiteral("Файлы RTF (*.rtf)"),
                              QStringLiteral("Книги FB2 (*.fb2 *.fb2.zip)"),
                              QStringLiteral("Книги EPUB (*.epub)"),
                              QStringLiteral("Документы DOCX и ODT (*.docx *.odt)"),
                              QStringLiteral("Веб-страницы (*.htm *.html)"),
                              QStringLiteral("Все файлы (*)")};

// The hourglass for as long as a file is being read.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace

QString TMainForm::textMemoryPath() const {
    return TextMemory::locate(ProgramDir);
}

void TMainForm::SpeedButton1Click() {
    TTextForm* text = Windows->TextForm;
    if (text->RichEdit1->length() > 0)
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
    if (filterStored) {
        dialog.setDirectory(lastDir);
        if (filterIndex >= 1 && filterIndex <= OpenFilters.size())
            dialog.selectNameFilter(OpenFilters.at(filterIndex - 1));
    } else {
        dialog.setDirectory(ProgramDir + QStringLiteral("LIBRARY"));
    }
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
    if (Windows->TextForm->RichEdit1->length() > 0)
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
    TTextForm* text = Windows->TextForm;
    if (text->RichEdit1->length() > 0)
        SaveTextPosition();
    FileName.clear(); // no file: its reading position is not kept
    QString flat = pasted;
    flat.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    text->setLoadedText(flat, 0, 0);
    RefreshCourseState();
}

bool TMainForm::openChosenFile(const QString& chosen) {
    TTextForm* text = Windows->TextForm;
    BusyCursor busy;
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
    const TextFileContent content = TextFileReader::read(chosen);
    if (!content.ok) {
        showStandardError(this, content.error);
        return false; // the previous text, its file name and view stay as they were
    }
    FileName = chosen;
    text->setLoadedText(content.text, caret, anchor);
    RefreshCourseState();
    return true;
}

void TMainForm::SaveTextPosition() {
    TTextForm* text = Windows->TextForm;
    text->SaveScrollAnchor();
    if (FileName.isEmpty())
        return;
    QString error;
    if (!TextMemory(textMemoryPath())
             .save(FileName, text->RichEdit1->selectionStart(), text->ScrollAnchor, &error))
        showStandardError(this, QStringLiteral("Не удалось сохранить место чтения: ") + error);
}
