#!/usr/bin/python3
"""Writes the seed corpus of each fuzz target.

Usage: make_seeds.py SOURCE_DIR OUT_DIR

OUT_DIR/<target>/ gets small inputs drawn from the bundled statute, the
shipped slo.lng and hand cases at the edges of each reader, so that fuzzing
starts from the shapes the reader really meets.
"""

import hashlib
import os
import sys

LIST_INPUT_CASES = [
    b'"a.html","Prvi del, splo\xb9no"\r\n"b.html","B"\r\n',
    b'"a.html","b"\n"c","d"\n',
    b'"a","b"\r"c","d"\r',
    b'a.html,Prvi del, splosno\r\n',
    b' a.html \t,\tB c  \r\n',
    b'\r\n\r\n"a","b"\r\n \t\r\n',
    b'"a",',
    b'"a","b\r\n"c"\r\n',
    b'"a"x,"b"\r\n',
    b'"a","b"\r\n"c"',
    b'ab"c,d\r\n',
    b'"a\x00b","\x00"\r\n',
]

LANGUAGE_CASES = [
    b"00  Button:Back\r\n01  Button:Forward\r\n12  Button:Copy\r\n00  Frame:Search the law\r\n",
    b"00  strFoundHtml:<html><body><h3>TITULA</h3>BODDDY</body></html>\r\n",
    b"00  strTitula:A\n00  strCopy:B\n",
    b"00  strTitula:A\r00  strCopy:B",
    b"   ",
    b"00  :x\r\n0:Frame\r\n:",
    b"2.5 Button:x\r\n1 2 Button:y\r\n\t3\t Button:z",
    b"&HA-Button:x\r\n&O13Button:y",
    b"&H10000 Frame:x",
    b"40000Comment:x",
    b"13  Button:x",
    b"00  NotFound:a: b:",
]

NUMBER_CASES = [
    b"12  Button:Copy", b"2.5", b"3.5", b"-2.5", b".5", b"1 2", b"\t7\t", b"- 5",
    b"1D2", b"25E-1", b"1e999", b"1e-999", b"0.000000000000000000009e22",
    b"32767", b"-32768.5", b"32767.5", b"99999999999999999999",
    b"&H1F", b"& H 1 F", b"&O17", b"&HFFFF", b"&H10000", b"&X12", b"-&H10",
]

QUERY_CASES = [
    b"Xylofon", b"\x8aOTOR", b"\x9aotor", b"\xc8eBeLa", b"\x9eerjav!", b"\x8eaga, \x8aKODA",
    b"  ZAKON   O  ", b"xylo - fon", b"42", b"(3)", b"?! ...", b"  ", b"\xa9\xae\xc6\xd0",
    b"a\tb", b"@_:?", b"\x00\x01\x7f\xff",
]


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

    write_corpus(out_dir, "list_input", [index] + index_lines[:8] + LIST_INPUT_CASES)
    write_corpus(out_dir, "language_file", [language] + lines_of(language) + LANGUAGE_CASES)
    write_corpus(out_dir, "leading_number", [line[:12] for line in lines_of(language)] + NUMBER_CASES)
    write_corpus(out_dir, "query", titles[:16] + QUERY_CASES)
    write_corpus(out_dir, "results_page", results_page_cases(source_dir, index, language))


if __name__ == "__main__":
    main()
