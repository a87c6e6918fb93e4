#pragma once

#include "formats/BookText.h"

#include <QByteArrayView>

// Word-processor documents: the paragraphs of the body in order, tables' cells included, one
// paragraph each; headers, footers, comments, notes and deleted revisions are left out.
// Everything unpacked counts against `unpackedLimit` bytes.

// Office Open XML (.docx): the main document part that the package's relationships name.
BookText readDocx(QByteArrayView archive, qint64 unpackedLimit);

// OpenDocument text (.odt): the text of content.xml.
BookText readOdt(QByteArrayView archive, qint64 unpackedLimit);
