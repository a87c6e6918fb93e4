#pragma once

#include "formats/BookText.h"

#include <QByteArrayView>

// EPUB books, versions 2 and 3: the container names the package, the package's spine gives the
// reading order, and the visible text of each XHTML document of the spine follows in that
// order (documents the spine marks as not linear are left out). A book whose content is
// encrypted (DRM) is refused; obfuscated fonts alone do not count. Everything unpacked counts
// against `unpackedLimit` bytes.
BookText readEpub(QByteArrayView archive, qint64 unpackedLimit);
