#!/usr/bin/env python3
"""Builds the sample books of LIBRARY from our readable sources in data/books/:
winter_garden.txt -> data/library/winter_garden.fb2 (FictionBook 2, windows-1251),
night_train.txt -> data/library/night_train.epub (EPUB 3).

A source starts with "title:" and "author:" lines; "# " starts a chapter; every other
non-empty line is a paragraph. The output is the same for the same source (fixed dates)."""
import html
import pathlib
import zipfile

ROOT = pathlib.Path(__file__).resolve().parent.parent
SOURCES = ROOT / "data" / "books"
LIBRARY = ROOT / "data" / "library"
STAMP = (2026, 1, 1, 0, 0, 0)


def parse(path):
    title = author = ""
    chapters = []
    for line in path.read_text(encoding="utf-8").splitlines():
        line = line.strip()
        if line.startswith("title:"):
            title = line[6:].strip()
        elif line.startswith("author:"):
            author = line[7:].strip()
        elif line.startswith("# "):
            chapters.append((line[2:], []))
        elif line:
            chapters[-1][1].append(line)
    return title, author, chapters


def fb2(source, target):
    title, author, chapters = parse(source)
    first, last = author.split(" ", 1)
    out = ['<?xml version="1.0" encoding="windows-1251"?>',
           '<FictionBook xmlns="http://www.gribuser.ru/xml/fictionbook/2.0" '
           'xmlns:l="http://www.w3.org/1999/xlink">',
           "<description><title-info><genre>prose_contemporary</genre>",
           f"<author><first-name>{first}</first-name><last-name>{last}</last-name></author>",
           f"<book-title>{html.escape(title)}</book-title><lang>ru</lang></title-info>",
           "<document-info><program-used>make_library_books.py</program-used></document-info>",
           "</description>", "<body>", f"<title><p>{html.escape(title)}</p></title>"]
    for name, paragraphs in chapters:
        out.append(f"<section><title><p>{html.escape(name)}</p></title>")
        out += [f"<p>{html.escape(p, quote=False)}</p>" for p in paragraphs]
        out.append("</section>")
    out += ["</body>", "</FictionBook>", ""]
    target.write_bytes("\r\n".join(out).encode("cp1251"))


def entry(archive, name, data, compress=zipfile.ZIP_DEFLATED):
    info = zipfile.ZipInfo(name, STAMP)
    info.compress_type = compress
    archive.writestr(info, data)


def epub(source, target):
    title, author, chapters = parse(source)
    with zipfile.ZipFile(target, "w") as archive:
        entry(archive, "mimetype", "application/epub+zip", zipfile.ZIP_STORED)
        entry(archive, "META-INF/container.xml",
              '<?xml version="1.0" encoding="UTF-8"?>\n<container version="1.0" '
              'xmlns="urn:oasis:names:tc:opendocument:xmlns:container"><rootfiles>'
              '<rootfile full-path="OEBPS/package.opf" '
              'media-type="application/oebps-package+xml"/></rootfiles></container>\n')
        items, spine = [], []
        for number, (name, paragraphs) in enumerate(chapters, 1):
            body = "".join(f"<p>{html.escape(p, quote=False)}</p>\n" for p in paragraphs)
            heading = f"<h1>{html.escape(title)}</h1>\n" if number == 1 else ""
            page = ('<?xml version="1.0" encoding="UTF-8"?>\n<!DOCTYPE html>\n'
                    '<html xmlns="http://www.w3.org/1999/xhtml" xml:lang="ru"><head>'
                    f"<title>{html.escape(name)}</title></head><body>\n{heading}"
                    f"<h2>{html.escape(name)}</h2>\n{body}</body></html>\n")
            entry(archive, f"OEBPS/chapter{number}.xhtml", page)
            items.append(f'<item id="c{number}" href="chapter{number}.xhtml" '
                         'media-type="application/xhtml+xml"/>')
            spine.append(f'<itemref idref="c{number}"/>')
        entry(archive, "OEBPS/package.opf",
              '<?xml version="1.0" encoding="UTF-8"?>\n<package xmlns="http://www.idpf.org/2007/opf"'
              ' version="3.0" unique-identifier="id"><metadata '
              'xmlns:dc="http://purl.org/dc/elements/1.1/">'
              f'<dc:identifier id="id">skimora-{source.stem}</dc:identifier>'
              f"<dc:title>{html.escape(title)}</dc:title><dc:creator>{html.escape(author)}"
              "</dc:creator><dc:language>ru</dc:language><meta property=\"dcterms:modified\">"
              "2026-01-01T00:00:00Z</meta></metadata><manifest>" + "".join(items) +
              "</manifest><spine>" + "".join(spine) + "</spine></package>\n")


if __name__ == "__main__":
    fb2(SOURCES / "winter_garden.txt", LIBRARY / "winter_garden.fb2")
    epub(SOURCES / "night_train.txt", LIBRARY / "night_train.epub")
