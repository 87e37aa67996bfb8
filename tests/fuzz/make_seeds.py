#!/usr/bin/python3
"""Writes the seed corpus of each fuzz target.

Usage: make_seeds.py SOURCE_DIR OUT_DIR

OUT_DIR/<target>/ gets small inputs drawn from the bundled statute, the
shipped slo.lng and the hand cases of seeds.txt at the edges of each reader,
so that fuzzing starts from the shapes the reader really meets.
"""

import codecs
import hashlib
import os
import sys

SEED_TABLE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "seeds.txt")


def hand_seeds():
    """The hand-made seeds of seeds.txt, by target."""
    seeds = {}
    with open(SEED_TABLE, encoding="ascii") as table:
        for line in table:
            if line.startswith("#") or not line.strip():
                continue
            target, _, escaped = line.rstrip("\n").partition(": ")
            seeds.setdefault(target, []).append(codecs.escape_decode(escaped)[0])
    return seeds


def write_corpus(out_dir, target, inputs):
    folder = os.path.join(out_dir, target)
    os.makedirs(folder, exist_ok=True)
    for data in inputs:
        name = hashlib.sha1(data).hexdigest()
        with open(os.path.join(folder, name), "wb") as seed:
            seed.write(data)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def lines_of(data):
    return [line for line in data.replace(b"\r\n", b"\r").split(b"\r") if line]


def language_value(language, key):
    for line in lines_of(language):
        head, _, value = line.partition(b":")
        if head[4:] == key:
            return value
    return b""


def provider_strings(strings, rest):
    """Strings as FuzzedDataProvider's ConsumeRandomLengthString reads them:
    a backslash is doubled, a backslash and another byte ends a string."""
    return b"".join(s.replace(b"\\", b"\\\\") + b"\\|" for s in strings) + rest


def results_page_cases(source_dir, index, language):
    template = language_value(language, b"strFoundHtml")
    titula = language_value(language, b"strTitula")
    not_found = language_value(language, b"NotFound")
    records = [line.split(b'","') for line in lines_of(index)]
    cases = []
    for start in range(0, min(len(records), 12), 3):
        strings = []
        for file_part, title_part in records[start:start + 3]:
            name, title = file_part.strip(b'"'), title_part.strip(b'"')
            page = read(os.path.join(source_dir, "statute", name.decode("latin-1")))
            strings += [name, title, page[:256]]
        cases.append(provider_strings(strings + [template, titula, not_found], b"zakon"))
    cases.append(provider_strings([b"a.html", b"A", b"abc"] * 3 + [b"TITULA BODDDY", b"T", b"N"], b"B"))
    cases.append(provider_strings([b"", b"", b""] * 3 + [b"", b"", b""], b"x"))
    return cases


def main():
    source_dir, out_dir = sys.argv[1], sys.argv[2]
    index = read(os.path.join(source_dir, "statute", "Wlist.idx"))
    language = read(os.path.join(source_dir, "resources", "slo.lng"))
    index_lines = [line + b"\r\n" for line in lines_of(index)]
    titles = [line.split(b'","')[-1].strip(b'"') for line in lines_of(index)]

    hand = hand_seeds()
    write_corpus(out_dir, "list_input", [index] + index_lines[:8] + hand["list_input"])
    write_corpus(out_dir, "language_file", [language] + lines_of(language) + hand["language_file"])
    write_corpus(out_dir, "leading_number", [line[:12] for line in lines_of(language)] + hand["leading_number"])
    write_corpus(out_dir, "query", titles[:16] + hand["query"])
    write_corpus(out_dir, "results_page", results_page_cases(source_dir, index, language))


if __name__ == "__main__":
    main()
