#!/usr/bin/python3
"""lexoria-search --write on a generated statute.

Usage: end_to_end_test.py LEXORIA_SEARCH MAKE_STATUTE

For each typed query the expected found.html, hit list and exit status are
worked out here from the code pages as Python knows them: the query is
lowered by decoding it as Windows-1250, the pages are parsed with the csv
module, and the results page is put together from the template by hand.
"""

import csv
import io
import os
import subprocess
import sys
import tempfile

PAGES = 12
LANGUAGE_FILE = (
    "00  NotFound:Nobena stran ne vsebuje iskanih besed: žal.\r\n"
    "00  strTitula:Zakon o čebelah\r\n"
    "00  strCopy:spletna izdaja\r\n"
    "00  strFoundHtml:<html><head><title>TITULA</title></head><body><h3>TITULA</h3>BODDDY</body></html>\r\n"
).encode("iso-8859-2")

# Typed as a user would, UTF-8 on the command line.
QUERIES = [
    ["Xylofon"],                 # capitals, planted in pages 2, 5 and 11
    ["xylofon"],
    ["ŠOTOR"],                   # Windows-1250 capitals Š, Č, Ž
    ["šotor"],
    ["ČeBeLa"],
    ["žerjav!"],                 # punctuation dropped
    ["Žaga,", "ŠKODA"],          # two words, a comma between
    ["  ZAKON", "", "", "O  "],  # runs of spaces
    ["xylo", "-", "fon"],        # a hyphen leaves two spaces
    ["42"],                      # digits
    ["(3)"],
    ["charset"],                 # only in the markup
    ["xyzzy"],                   # nowhere
    ["?!", "..."],               # nothing left of it
    ["  "],
    ["a中"],                     # a character Windows-1250 lacks
]


def cp1250_lower_table():
    table = bytearray(range(256))
    for byte in range(256):
        try:
            char = bytes([byte]).decode("cp1250")
        except UnicodeDecodeError:
            continue
        lowered = char.lower()
        if len(lowered) == 1:
            try:
                table[byte] = lowered.encode("cp1250")[0]
            except UnicodeEncodeError:
                pass
    return bytes(table)


LOWER = cp1250_lower_table()
# Pages are ISO-8859-2: their capitals Š and Ž lower to š and ž as well.
PAGE_LOWER = LOWER[:0xA9] + b"\xb9" + LOWER[0xAA:0xAE] + b"\xbe" + LOWER[0xAF:]
# š and ž (and the ISO-8859-2 capitals Š, Ž) to their ISO-8859-2 codes,
# Ć Č Đ lowered, control characters and punctuation dropped.
ISO = {0xC6: b"\xe6", 0xC8: b"\xe8", 0xD0: b"\xf0",
       0xA9: b"\xb9", 0x8A: b"\xb9", 0x9A: b"\xb9",
       0xAE: b"\xbe", 0x8E: b"\xbe", 0x9E: b"\xbe"}
DROPPED = set(range(0x01, 0x20)) | set(range(0x21, 0x30)) | set(range(0x3A, 0x40))


def expected_query(words):
    typed = " ".join(words).encode("cp1250", errors="ignore")
    text = typed.rstrip(b" ").lstrip(b" ").replace(b"  ", b" ").translate(LOWER)
    return b"".join(b"" if c in DROPPED else ISO.get(c, bytes([c])) for c in text)


def language_value(key):
    for line in LANGUAGE_FILE.split(b"\r\n"):
        if line[4:].startswith(key + b":"):
            return line[4 + len(key) + 1:]
    raise KeyError(key)


def read_index(app):
    with open(os.path.join(app, "Wlist.idx"), "rb") as index:
        text = index.read().decode("latin-1")
    rows = [row for row in csv.reader(io.StringIO(text, newline="")) if row]
    return [(f.encode("latin-1"), t.encode("latin-1")) for f, t in rows]


def expected_results(app, query):
    hits = []
    for file, title in read_index(app):
        with open(os.path.join(app, file.decode("latin-1")), "rb") as page:
            if query in page.read().translate(PAGE_LOWER):
                hits.append((file, title))
    header = language_value(b"strFoundHtml").replace(b"TITULA", language_value(b"strTitula"))
    if hits:
        lines = b"".join(b"<br><a href='" + f + b"#F1' target='T'>" + t + b"</a><br>" for f, t in hits)
        body = b"<b>" + query + b":<br><br></b>" + lines
    else:
        body = b"<b>" + language_value(b"NotFound") + b"</b>"
    return hits, header.replace(b"BODDDY", body) + b"\r\n"


def check(program, app, words):
    found = os.path.join(app, "found.html")
    if os.path.exists(found):
        os.remove(found)
    run = subprocess.run([program, "--write", app] + words, capture_output=True)
    query = expected_query(words)
    problems = []
    if not query:
        if run.returncode != 1 or run.stdout or os.path.exists(found):
            problems.append("an empty query must print and write nothing and exit 1")
        return problems
    hits, page = expected_results(app, query)
    status = 0 if hits else 1
    if run.returncode != status:
        problems.append("exit status {} instead of {}: {}".format(run.returncode, status, run.stderr))
    listing = "".join("{}\t{}\n".format(f.decode("latin-1"), t.decode("iso-8859-2")) for f, t in hits)
    if run.stdout.decode("utf-8") != listing:
        problems.append("printed {!r} instead of {!r}".format(run.stdout, listing))
    with open(found, "rb") as written:
        actual = written.read()
    if actual != page:
        problems.append("found.html is {!r}\n  expected {!r}".format(actual, page))
    return problems


def main():
    program, generator = sys.argv[1:3]
    failures = 0
    with tempfile.TemporaryDirectory() as app:
        subprocess.run([sys.executable, generator, app, "--pages", str(PAGES), "--page-bytes", "4000",
                        "--plant", "Xylofon=2,5,11", "--plant", "xylo  fon=7"], check=True)
        with open(os.path.join(app, "slo.lng"), "wb") as language:
            language.write(LANGUAGE_FILE)
        for words in QUERIES:
            for problem in check(program, app, words):
                failures += 1
                print("{!r}: {}".format(words, problem))
    print("{} queries, {} problems".format(len(QUERIES), failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
