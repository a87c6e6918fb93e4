#!/usr/bin/env python3
"""Reports the loops between the folders of src/: folder A includes a header of folder B while
B, directly or through other folders, includes one of A. Each group of folders tied together
that way is one loop. Prints the loops with the includes that make them and exits non-zero when
there is any.   scripts/folder-loops.py [--quiet]"""
import pathlib
import re
import sys

SRC = pathlib.Path(__file__).resolve().parent.parent / "src"
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"/]+)/[^"]+"', re.MULTILINE)


def folder_edges():
    """(from folder, to folder) -> the files that make that edge."""
    edges = {}
    for path in sorted(SRC.rglob("*")):
        if path.suffix not in (".h", ".cpp") or path.parent == SRC:
            continue
        source = path.relative_to(SRC).parts[0]
        for target in INCLUDE.findall(path.read_text(encoding="utf-8")):
            if target != source and (SRC / target).is_dir():
                files = edges.setdefault((source, target), [])
                if str(path.relative_to(SRC)) not in files:
                    files.append(str(path.relative_to(SRC)))
    return edges


def loops(edges):
    """The strongly connected groups of two or more folders (Tarjan)."""
    graph = {}
    for source, target in edges:
        graph.setdefault(source, []).append(target)
        graph.setdefault(target, [])
    index, low, stack, on_stack, groups = {}, {}, [], set(), []

    def visit(node):
        index[node] = low[node] = len(index)
        stack.append(node)
        on_stack.add(node)
        for nxt in graph[node]:
            if nxt not in index:
                visit(nxt)
                low[node] = min(low[node], low[nxt])
            elif nxt in on_stack:
                low[node] = min(low[node], index[nxt])
        if low[node] == index[node]:
            group = []
            while True:
                member = stack.pop()
                on_stack.discard(member)
                group.append(member)
                if member == node:
                    break
            if len(group) > 1:
                groups.append(sorted(group))

    for node in sorted(graph):
        if node not in index:
            visit(node)
    return sorted(groups)


def main():
    quiet = "--quiet" in sys.argv[1:]
    edges = folder_edges()
    groups = loops(edges)
    for group in groups:
        print("loop: " + " <-> ".join(group))
        if not quiet:
            for (source, target), files in sorted(edges.items()):
                if source in group and target in group:
                    print(f"  {source} -> {target}: {', '.join(files)}")
    print(f"{len(groups)} folder loop(s)")
    return 1 if groups else 0


if __name__ == "__main__":
    sys.exit(main())
