#!/usr/bin/python3
# Usage: make_seeds.py SOURCE_DIR OUT_DIR
# Writes OUT_DIR/<target>/: the hand cases of seeds.txt at the edges of each
# reader, and inputs drawn from the bundled statute, its act and the shipped slo.lng,
# so that fuzzing starts from the shapes the readers really meet.
import codecs
import hashlib
import sys
from pathlib import Path

source, out = Path(sys.argv[1]), Path(sys.argv[2])
seeds = {}
for line in (Path(__file__).parent / "seeds.txt").read_text("ascii").splitlines():
    if line.strip() and not line.startswith("#"):
        target, _, escaped = line.partition(": ")
        seeds.setdefault(target, []).append(codecs.escape_decode(escaped)[0])
index = (source / "statute" / "Wlist.idx").read_bytes()
language = (source / "resources" / "slo.lng").read_bytes()
records = [line.strip(b'"').split(b'","') for line in index.split(b"\r\n") if line]
# The first line naming each key gives the language texts of the results page.
texts = dict(line[4:].partition(b":")[::2] for line in reversed(language.split(b"\r\n")))
for start in range(0, min(len(records), 12), 3):
    strings = []
    for name, title in records[start:start + 3]:
        strings += [name, title, (source / "statute" / name.decode("latin-1")).read_bytes()[:256]]
    strings += [texts.get(key, b"") for key in (b"strFoundHtml", b"strTitula", b"NotFound")]
    # As FuzzedDataProvider reads strings: a backslash doubled, "\|" ending each.
    seeds["results_page"].append(b"".join(s.replace(b"\\", b"\\\\") + b"\\|" for s in strings) + b"zakon")
seeds["list_input"] += [index] + [line + b"\r\n" for line in index.split(b"\r\n")[:8]]
seeds["language_file"] += [language] + language.split(b"\r\n")
seeds["leading_number"] += [line[:12] for line in language.split(b"\r\n")]
seeds["query"] += [title for _, title in records[:16]]
# The bundled act whole, its start cut off in the middle of an article, and
# its first chapter alone.
act = (source / "tools" / "zdr-1.akn.xml").read_bytes()
chapter_end = act.index(b"</chapter>") + len(b"</chapter>")
seeds["act"] += [act, act[:6000], act[:chapter_end] + b"</body></act></akomaNtoso>"]
for target, inputs in seeds.items():
    (out / target).mkdir(parents=True, exist_ok=True)
    for data in inputs:
        (out / target / hashlib.sha1(data).hexdigest()).write_bytes(data)
