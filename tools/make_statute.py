#!/usr/bin/python3
"""Writes a synthetic statute for tests and benchmarks.

The folder gets N pages of Slovene-like ISO-8859-2 HTML, each with its
anchor F1, the index "Wlist.idx" (records "file","title" ending in CR LF,
titles in ISO-8859-2, some holding commas), the frameset "index.html" with
a contents frame and the content frame "T", the contents page and
"Help.html". The same arguments always give the same bytes.

    make_statute.py FOLDER [--pages 512] [--page-bytes 65536] [--seed 1]
                    [--plant WORD=PAGES ...]

--plant puts WORD (UTF-8 on the command line) once into each of the listed
pages: "3,7,12", "all", or "none". Neither the generated text nor its
markup holds the letter x, so a planted word with an x occurs only where it
was planted.
"""

import argparse
import os
import random

ENCODING = "iso-8859-2"
PAGE_NAME = "clen{:04d}.html"

WORDS = (
    "zakon člen odstavek pravica dolžnost oseba organ ministrstvo država "
    "občina šola učenec učitelj žival živalski okolje varstvo kazen globa "
    "postopek odločba pritožba sodišče rok dan leto mesec pogodba lastnik "
    "najemnik stavba zemljišče gozd voda čist prost javni zasebni splošen "
    "poseben določen pristojen ustrezen veljaven šteti izdati določiti "
    "zagotoviti opraviti ravnati plačati ki ter in ali če da se je so bo "
    "mora lahko ne po v na z za od do pri čez med pred čebela češnja "
    "žaga košnja škoda šotor čolnar žerjav plaža sešteti"
).split()

TOPICS = (
    "Splošne določbe", "Pravice in dolžnosti", "Varstvo okolja",
    "Šolstvo", "Živali v naravi", "Čebelarstvo", "Kazenske določbe",
    "Prehodne in končne določbe", "Žerjavi, dvigala in plaže",
    "Škoda, globe in pritožbe",
)


def sentence(rng):
    words = [rng.choice(WORDS) for _ in range(rng.randint(6, 16))]
    if rng.random() < 0.3:
        words.insert(rng.randrange(len(words)), str(rng.randint(1, 999)))
    first = words[0]
    words[0] = first[0].upper() + first[1:]
    if rng.random() < 0.1:
        words[rng.randrange(len(words))] = rng.choice(("ČEBELA", "ŠOLA", "ŽIVAL", "ZAKON"))
    return " ".join(words) + rng.choice((".", ".", ".", ";", ":"))


def paragraph(rng, sentences):
    number = rng.randint(1, 9)
    text = " ".join(rng.choice(sentences) for _ in range(rng.randint(2, 6)))
    return '<p class="odstavek">({}) {}</p>\r\n'.format(number, text)


def title_of(page):
    topic = TOPICS[page % len(TOPICS)]
    if page % 5 == 3:
        return "{}. člen ({}, prvi del)".format(page, topic)
    return "{}. člen ({})".format(page, topic)


def page_bytes(page, size, rng, sentences, planted):
    title = title_of(page)
    head = ("<html>\r\n<head>\r\n<meta charset=\"iso-8859-2\">\r\n"
            "<title>{0}</title>\r\n</head>\r\n<body>\r\n"
            "<a name=\"F1\"></a><h2>{0}</h2>\r\n").format(title).encode(ENCODING)
    foot = b"</body>\r\n</html>\r\n"
    parts = [head]
    length = len(head) + len(foot)
    for word in planted:
        line = "<p>Tu stoji {} v besedilu.</p>\r\n".format(word).encode(ENCODING)
        parts.append(line)
        length += len(line)
    while True:
        para = paragraph(rng, sentences).encode(ENCODING)
        if length + len(para) > size:
            break
        parts.append(para)
        length += len(para)
    parts.append(b" " * max(0, size - length))
    parts.append(foot)
    return b"".join(parts)


def planted_pages(plantings, pages):
    """Maps each page number to the words planted in it."""
    plan = {page: [] for page in range(1, pages + 1)}
    for planting in plantings:
        word, _, where = planting.partition("=")
        if where == "all":
            chosen = range(1, pages + 1)
        elif where in ("", "none"):
            chosen = []
        else:
            chosen = [int(n) for n in where.split(",")]
        for page in chosen:
            if not 1 <= page <= pages:
                raise SystemExit("--plant {}: there is no page {}".format(planting, page))
            plan[page].append(word)
    return plan


def write(folder, name, data):
    with open(os.path.join(folder, name), "wb") as out:
        out.write(data)


def frame_pages(pages):
    links = "".join(
        "<a href=\"{}#F1\" target=\"T\">{}</a><br>\r\n".format(PAGE_NAME.format(n), title_of(n))
        for n in range(1, pages + 1))
    contents = ("<html>\r\n<head>\r\n<meta charset=\"iso-8859-2\">\r\n<title>Vsebina</title>\r\n"
                "</head>\r\n<body>\r\n" + links + "</body>\r\n</html>\r\n")
    first = PAGE_NAME.format(1) if pages else "Help.html"
    frameset = ("<html>\r\n<head>\r\n<meta charset=\"iso-8859-2\">\r\n<title>Zakon</title>\r\n"
                "</head>\r\n<frameset cols=\"30%,*\">\r\n"
                "<frame src=\"vsebina.html\" name=\"V\">\r\n"
                "<frame src=\"" + first + "\" name=\"T\">\r\n"
                "</frameset>\r\n</html>\r\n")
    help_page = ("<html>\r\n<head>\r\n<meta charset=\"iso-8859-2\">\r\n<title>Pomoč</title>\r\n"
                 "</head>\r\n<body>\r\n<a name=\"F1\"></a><h2>Pomoč</h2>\r\n"
                 "<p>Iskanje najde strani, ki vsebujejo iskane besede. Velike in male "
                 "črke so enake: Š, š, Ž, ž, Č, č.</p>\r\n</body>\r\n</html>\r\n")
    return contents, frameset, help_page


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("folder")
    parser.add_argument("--pages", type=int, default=512)
    parser.add_argument("--page-bytes", type=int, default=64 * 1024)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--plant", action="append", default=[], metavar="WORD=PAGES")
    args = parser.parse_args()

    rng = random.Random(args.seed)
    sentences = [sentence(rng) for _ in range(400)]
    plan = planted_pages(args.plant, args.pages)
    os.makedirs(args.folder, exist_ok=True)

    index = bytearray()
    for page in range(1, args.pages + 1):
        name = PAGE_NAME.format(page)
        write(args.folder, name, page_bytes(page, args.page_bytes, rng, sentences, plan[page]))
        index += '"{}","{}"\r\n'.format(name, title_of(page)).encode(ENCODING)
    write(args.folder, "Wlist.idx", bytes(index))

    contents, frameset, help_page = frame_pages(args.pages)
    write(args.folder, "vsebina.html", contents.encode(ENCODING))
    write(args.folder, "index.html", frameset.encode(ENCODING))
    write(args.folder, "Help.html", help_page.encode(ENCODING))


if __name__ == "__main__":
    main()
