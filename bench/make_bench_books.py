#!/usr/bin/env python3
"""Writes the bench's books: about 4 MB of Russian prose from our own texts in data/ as a
Markdown source, then pandoc turns it into the files a reader meets in the world:
book.fb2, book.epub (EPUB 3), book.docx, book.odt, book.html and book.txt (plain text).

The prose is our sample texts' paragraphs, shuffled into chapters by a fixed seed and
varied (words emphasised, a footnote here and there), with headings, a list and a table
in every chapter.  The output is the same for the same sources.

    bench/make_bench_books.py <output directory>"""
import pathlib
import random
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
TARGET_BYTES = 4 * 1024 * 1024
FORMATS = {"fb2": "fb2", "epub": "epub3", "docx": "docx", "odt": "odt", "html": "html",
           "txt": "plain"}


def source_paragraphs():
    """Every prose paragraph of our sample and test texts (no headings, no questions)."""
    paragraphs = []
    files = sorted((ROOT / "data" / "books").glob("*.txt")) + \
        sorted((ROOT / "data" / "library").glob("*.txt")) + \
        sorted((ROOT / "data" / "tests").glob("*.txt"))
    for path in files:
        raw = path.read_bytes()
        try:
            text = raw.decode("utf-8")
        except UnicodeDecodeError:
            text = raw.decode("cp1251")
        for line in text.splitlines():
            line = line.strip()
            if len(line) > 200 and not line.startswith(("?", "+", "-", "#", "title:",
                                                        "author:")):
                paragraphs.append(line)
    return paragraphs


def emphasised(paragraph, rng):
    words = paragraph.split(" ")
    for _ in range(rng.randint(0, 3)):
        i = rng.randrange(len(words))
        if words[i].isalpha():
            words[i] = ("**%s**" if rng.random() < 0.3 else "*%s*") % words[i]
    return " ".join(words)


def markdown(paragraphs, rng):
    parts = ["---", "title: Книга для замеров", "author: Скимора", "lang: ru", "---", ""]
    notes = []
    size = 0
    chapter = 0
    while size < TARGET_BYTES:
        chapter += 1
        order = paragraphs[:]
        rng.shuffle(order)
        parts.append("# Глава %d\n" % chapter)
        for n, paragraph in enumerate(order):
            if n % 12 == 0:
                parts.append("## Часть %d.%d\n" % (chapter, n // 12 + 1))
            text = emphasised(paragraph, rng)
            if rng.random() < 0.05:
                mark = "n%d" % (len(notes) + 1)
                text += "[^%s]" % mark
                notes.append("[^%s]: %s" % (mark, rng.choice(paragraphs)[:160]))
            parts.append(text + "\n")
            if n == 5:
                parts.extend("- " + p.split(". ")[0] for p in order[:4])
                parts.append("")
            if n == 9:
                parts.append("| Место | Время | Заметка |\n|---|---|---|")
                for row, p in enumerate(order[:5]):
                    parts.append("| %s | %d:%02d | %s |" % (p.split(" ")[0], 8 + row, 5 * row,
                                                            " ".join(p.split(" ")[1:6])))
                parts.append("")
        size = sum(len(p.encode("utf-8")) + 1 for p in parts)
    return "\n".join(parts + [""] + notes) + "\n"


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = pathlib.Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    source = out / "book.md"
    source.write_text(markdown(source_paragraphs(), random.Random(17)), encoding="utf-8")
    for suffix, kind in FORMATS.items():
        subprocess.run(["pandoc", "--wrap=none", "--standalone", "-f", "markdown", "-t", kind,
                        "-o", str(out / ("book." + suffix)), str(source)], check=True)


if __name__ == "__main__":
    main()
