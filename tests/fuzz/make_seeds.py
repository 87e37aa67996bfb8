#!/usr/bin/python3
# Usage: make_seeds.py SOURCE_DIR OUT_DIR
# Writes OUT_DIR/<target>/: inputs drawn from the bundled statute and the
# shipped slo.lng, and the hand cases of seeds.txt at the edges of each
# reader, so that fuzzing starts from the shapes the readers really meet.
import codecs
import hashlib
import os
import sys


def read(path):
    with open(path, "rb") as f:
        return f.read()


def lines_of(data):
    return [line for line in data.replace(b"\r\n", b"\r").split(b"\r") if line]


def provider_strings(strings, rest):
    # As FuzzedDataProvider's ConsumeRandomLengthString reads them: a
    # backslash doubled, a backslash and another byte ending each string.
    return b"".join(s.replace(b"\\", b"\\\\") + b"\\|" for s in strings) + rest


def main():
    source_dir, out_dir = sys.argv[1:3]
    seeds = {}
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "seeds.txt"), encoding="ascii") as table:
        for line in table:
            if line.strip() and not line.startswith("#"):
                target, _, escaped = line.rstrip("\n").partition(": ")
                seeds.setdefault(target, []).append(codecs.escape_decode(escaped)[0])
    index = read(os.path.join(source_dir, "statute", "Wlist.idx"))
    language = read(os.path.join(source_dir, "resources", "slo.lng"))
    records = [line.split(b'","') for line in lines_of(index)]
    # The first line naming each key, as the reader's texts.
    texts = {head[4:]: value for head, _, value in (line.partition(b":") for line in reversed(lines_of(language)))}
    language_texts = [texts.get(key, b"") for key in (b"strFoundHtml", b"strTitula", b"NotFound")]
    for start in range(0, min(len(records), 12), 3):
        strings = []
        for file_part, title_part in records[start:start + 3]:
            name = file_part.strip(b'"')
            page = read(os.path.join(source_dir, "statute", name.decode("latin-1")))
            strings += [name, title_part.strip(b'"'), page[:256]]
        seeds["results_page"].append(provider_strings(strings + language_texts, b"zakon"))
    seeds["list_input"] += [index] + [line + b"\r\n" for line in lines_of(index)[:8]]
    seeds["language_file"] += [language] + lines_of(language)
    seeds["leading_number"] += [line[:12] for line in lines_of(language)]
    seeds["query"] += [record[-1].strip(b'"') for record in records[:16]]
    for target, inputs in seeds.items():
        os.makedirs(os.path.join(out_dir, target), exist_ok=True)
        for data in inputs:
            with open(os.path.join(out_dir, target, hashlib.sha1(data).hexdigest()), "wb") as seed:
                seed.write(data)


if __name__ == "__main__":
    main()
