#!/usr/bin/python3
"""Writes the made-up sample statute, which the reader's tests know page by page.

Reads tools/statute_source.txt and tools/help_source.txt (UTF-8) and writes,
in ISO-8859-2, into DIR:

  naslovnica.html   title page, shown first in frame "T"
  clenNNN.html      one page per group of articles (NNN = first article)
  toc.html          table of contents, every link opens in frame "T"
  index.html        the frameset: contents frame and frame "T"
  Help.html         how to use the reader
  zakon.css         the shared style sheet
  Wlist.idx         "file","title" CR LF for every content page
  slo.lng           interface texts and the results-page template

Usage: write_statute.py --statute DIR [--lng FILE]
The language file goes to DIR/slo.lng unless --lng names another.
Any character that ISO-8859-2 lacks stops the run with the source line.
"""

import argparse
import html
import os
import re
import sys
from pathlib import Path

ENCODING = "iso-8859-2"
SHORT_TITLE = "Zakon o planinskih kočah"
TITLE_PAGE_TITLE = "Naslovna stran, vsebina zakona"
ABBREVIATION = "ZPlK"
EDITION = "elektronska izdaja"

HERE = os.path.dirname(os.path.abspath(__file__))


class SourceError(Exception):
    pass


def roman(n):
    numerals = [(10, "X"), (9, "IX"), (5, "V"), (4, "IV"), (1, "I")]
    out = ""
    for value, letters in numerals:
        while n >= value:
            out += letters
            n -= value
    return out


def source_lines(path):
    """Yields (line number, text) of the meaningful lines of a source file."""
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n").rstrip()
            if not line or line.startswith("#"):
                continue
            yield number, line


# --- the statute source -----------------------------------------------------

class Article:
    def __init__(self, number, heading, line):
        self.number = number
        self.heading = heading
        self.line = line
        self.blocks = []  # ("p", text, line) or ("ul", [(text, line)])


class Page:
    def __init__(self, topic, chapter):
        self.topic = topic
        self.chapter = chapter
        self.articles = []

    @property
    def file(self):
        return "clen%03d.html" % self.articles[0].number

    @property
    def articles_label(self):
        first, last = self.articles[0].number, self.articles[-1].number
        if len(self.articles) == 1:
            return "%d. člen" % first
        if len(self.articles) == 2:
            return "%d. in %d. člen" % (first, last)
        return "%d. do %d. člen" % (first, last)

    @property
    def title(self):
        return "%s, %s" % (self.articles_label, self.topic)


class Chapter:
    def __init__(self, number, name):
        self.number = number
        self.name = name
        self.pages = []

    @property
    def label(self):
        return "%s. poglavje" % roman(self.number)


def parse_statute(path):
    chapters = []
    page = None
    article = None
    for number, line in source_lines(path):
        where = "%s:%d" % (os.path.basename(path), number)
        if line.startswith("== "):
            chapters.append(Chapter(len(chapters) + 1, line[3:].strip()))
            page = article = None
        elif line.startswith("@ "):
            if not chapters:
                raise SourceError("%s: page before the first chapter" % where)
            page = Page(line[2:].strip(), chapters[-1])
            chapters[-1].pages.append(page)
            article = None
        elif line.startswith("* "):
            if page is None:
                raise SourceError("%s: article outside a page" % where)
            count = sum(len(p.articles) for c in chapters for p in c.pages)
            article = Article(count + 1, line[2:].strip(), number)
            page.articles.append(article)
        elif article is None:
            raise SourceError("%s: text outside an article" % where)
        elif line.startswith("- "):
            if not article.blocks or article.blocks[-1][0] != "ul":
                article.blocks.append(("ul", []))
            article.blocks[-1][1].append((line[2:].strip(), number))
        else:
            article.blocks.append(("p", line, number))
    for chapter in chapters:
        if not chapter.pages:
            raise SourceError("chapter %r has no pages" % chapter.name)
        for page in chapter.pages:
            if not page.articles:
                raise SourceError("page %r has no articles" % page.topic)
    return chapters


def resolve_references(chapters, source_name):
    """Replaces {#article heading} by the number of that article."""
    numbers = {}
    for chapter in chapters:
        for page in chapter.pages:
            for article in page.articles:
                if article.heading in numbers:
                    raise SourceError("%s:%d: two articles named %r" % (
                        source_name, article.line, article.heading))
                numbers[article.heading] = article.number

    def resolve(text, line):
        def one(match):
            name = match.group(1)
            if name not in numbers:
                raise SourceError("%s:%d: no article named %r" % (
                    source_name, line, name))
            return str(numbers[name])
        return re.sub(r"\{#([^}]*)\}", one, text)

    for chapter in chapters:
        for page in chapter.pages:
            for article in page.articles:
                blocks = []
                for block in article.blocks:
                    if block[0] == "p":
                        blocks.append(("p", resolve(block[1], block[2]), block[2]))
                    else:
                        blocks.append(("ul", [(resolve(t, n), n) for t, n in block[1]]))
                article.blocks = blocks


# --- HTML -------------------------------------------------------------------

def esc(text):
    return html.escape(text, quote=False)


def head(title, extra=""):
    return (
        "<!DOCTYPE html>\n"
        "<html lang=\"sl\">\n"
        "<head>\n"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-2\">\n"
        "<title>%s</title>\n"
        "<link rel=\"stylesheet\" type=\"text/css\" href=\"zakon.css\">\n"
        "%s"
        "</head>\n" % (esc(title), extra))


def page_html(page, previous, following):
    out = [head(page.title),
           "<body>\n",
           "<a name=\"F1\"></a>\n",
           "<p class=\"zakon\">%s (%s)</p>\n" % (esc(SHORT_TITLE), ABBREVIATION),
           "<h1><span class=\"poglavje\">%s</span><br>%s</h1>\n" % (
               page.chapter.label, esc(page.chapter.name))]
    for article in page.articles:
        out.append("<div class=\"clen\">\n")
        out.append("<h2>%d. člen</h2>\n" % article.number)
        out.append("<p class=\"naslov\">(%s)</p>\n" % esc(article.heading))
        for block in article.blocks:
            if block[0] == "p":
                out.append("<p>%s</p>\n" % esc(block[1]))
            else:
                out.append("<ul>\n")
                for text, _ in block[1]:
                    out.append("<li>%s</li>\n" % esc(text))
                out.append("</ul>\n")
        out.append("</div>\n")
    links = []
    if previous is not None:
        links.append("<a href=\"%s\">&lt; prejšnja stran</a>" % previous)
    if following is not None:
        links.append("<a href=\"%s\">naslednja stran &gt;</a>" % following)
    out.append("<p class=\"listanje\">%s</p>\n" % " | ".join(links))
    out.append("</body>\n</html>\n")
    return "".join(out)


def first_last(chapter):
    return chapter.pages[0].articles[0].number, chapter.pages[-1].articles[-1].number


def title_page_html(chapters):
    out = [head(TITLE_PAGE_TITLE),
           "<body class=\"naslovnica\">\n",
           "<a name=\"F1\"></a>\n",
           "<h1 class=\"zakon\">ZAKON O PLANINSKIH KOČAH<br>(%s)</h1>\n" % ABBREVIATION,
           "<p class=\"opomba\">Besedilo zakona je izmišljeno. Napisano je "
           "kot zgled za bralnik Lexoria in ni veljaven predpis.</p>\n",
           "<h2>Vsebina</h2>\n",
           "<ul class=\"vsebina\">\n"]
    for chapter in chapters:
        first, last = first_last(chapter)
        out.append("<li><a href=\"%s\">%s: %s</a> (%d. do %d. člen)</li>\n" % (
            chapter.pages[0].file, chapter.label, esc(chapter.name), first, last))
    out.append("</ul>\n")
    out.append("<p>Kazalo vseh strani je na levi. Kako se uporablja bralnik "
               "in kako iščete po besedilu, pove <a href=\"Help.html\">pomoč</a>.</p>\n")
    out.append("<p class=\"listanje\"><a href=\"%s\">naslednja stran &gt;</a></p>\n"
               % chapters[0].pages[0].file)
    out.append("</body>\n</html>\n")
    return "".join(out)


def toc_html(chapters):
    out = [head("%s - kazalo" % SHORT_TITLE, "<base target=\"T\">\n"),
           "<body class=\"kazalo\">\n",
           "<p class=\"zakon\"><a href=\"naslovnica.html\" target=\"T\">%s</a></p>\n"
           % esc(SHORT_TITLE)]
    for chapter in chapters:
        out.append("<h2>%s<br>%s</h2>\n" % (chapter.label, esc(chapter.name)))
        out.append("<ul>\n")
        for page in chapter.pages:
            out.append("<li><a href=\"%s\" target=\"T\">%s</a></li>\n" % (
                page.file, esc(page.title)))
        out.append("</ul>\n")
    out.append("<p class=\"pomoc\"><a href=\"Help.html\" target=\"T\">Pomoč</a></p>\n")
    out.append("</body>\n</html>\n")
    return "".join(out)


def index_html():
    return (
        "<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01 Frameset//EN\">\n"
        "<html lang=\"sl\">\n"
        "<head>\n"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-2\">\n"
        "<title>%s</title>\n"
        "</head>\n"
        "<frameset cols=\"30%%,*\">\n"
        "<frame name=\"K\" src=\"toc.html\">\n"
        "<frame name=\"T\" src=\"naslovnica.html\">\n"
        "<noframes>\n"
        "<body>\n"
        "<p><a href=\"toc.html\">Kazalo zakona</a></p>\n"
        "</body>\n"
        "</noframes>\n"
        "</frameset>\n"
        "</html>\n" % esc(SHORT_TITLE))


def help_html(path):
    out = [head("%s - pomoč" % SHORT_TITLE),
           "<body class=\"pomoc\">\n",
           "<a name=\"F1\"></a>\n",
           "<p class=\"zakon\">%s (%s)</p>\n" % (esc(SHORT_TITLE), ABBREVIATION),
           "<h1>Pomoč</h1>\n"]
    in_list = False
    for number, line in source_lines(path):
        if line.startswith("- "):
            if not in_list:
                out.append("<ul>\n")
                in_list = True
            term, sep, rest = line[2:].partition(" :: ")
            if not sep:
                raise SourceError("%s:%d: list item without \" :: \"" % (
                    os.path.basename(path), number))
            out.append("<li><b>%s</b> %s</li>\n" % (esc(term), esc(rest)))
            continue
        if in_list:
            out.append("</ul>\n")
            in_list = False
        if line.startswith("## "):
            out.append("<h2>%s</h2>\n" % esc(line[3:].strip()))
        else:
            out.append("<p>%s</p>\n" % esc(line))
    if in_list:
        out.append("</ul>\n")
    out.append("</body>\n</html>\n")
    return "".join(out)


# The style sheet is the one every imported statute carries.
STYLE = (Path(__file__).resolve().parent.parent / "import" / "zakon.css").read_text(encoding="ascii")


# --- index and language file ------------------------------------------------

def wlist(records):
    """The index: "file","title" CR LF per content page, the last one too.
    Each title is the page's <title> as written there, so that an index
    written from the pages (lexoria-check --write-index) is this one."""
    out = []
    for file, title in records:
        if '"' in title or '"' in file or "," in file:
            raise SourceError("title or file name cannot go into Wlist.idx: %r" % title)
        out.append('"%s","%s"\r\n' % (file, esc(title)))
    return "".join(out)


FOUND_TEMPLATE = (
    "<!DOCTYPE html><html lang=\"sl\"><head><meta charset=\"iso-8859-2\">"
    "<title>TITULA - rezultati iskanja</title><style>"
    "body{font-family:Georgia,serif;font-size:16px;line-height:1.5;color:#222;"
    "background:#fdfcf8;margin:1.5em 2em;max-width:44em}"
    "p.zakon{font-size:0.85em;color:#666;border-bottom:1px solid #ccc;padding-bottom:0.3em}"
    "h1{font-size:1.3em;font-weight:normal}"
    "a{color:#1d4f91;text-decoration:none;padding:0.1em 0.3em}"
    "a:hover{color:#b03a1a;background:#efe9d8;text-decoration:underline}"
    "</style></head><body><p class=\"zakon\">TITULA</p>"
    "<h1>Rezultati iskanja</h1>BODDDY</body></html>")

LANGUAGE = [
    (0, "Button", "Nazaj (Alt+Levo)"),
    (1, "Button", "Naprej (Alt+Desno)"),
    (2, "Button", "Domača stran (Alt+Home)"),
    (3, "Button", "Iskanje (Ctrl+F)"),
    (4, "Button", "Pripravljen"),
    (5, "Button", "Nalaganje strani"),
    (6, "Button", "Pomanjšaj"),
    (7, "Button", "Zapri"),
    (8, "Button", "V redu, išči"),
    (9, "Button", "Prekliči"),
    (10, "Button", "Pomoč (F1)"),
    (11, "Button", "Natisni stran (Ctrl+P)"),
    (12, "Button", "Kopiraj (Ctrl+Shift+C)"),
    (0, "Frame", "Iskanje po zakonu"),
    (0, "NotFound", "Nobena stran ne vsebuje iskanih besed."),
    (0, "strTitula", SHORT_TITLE),
    (0, "strCopy", EDITION),
    (0, "strFoundHtml", FOUND_TEMPLATE),
]


def language_file():
    return "".join("%02d  %s:%s\r\n" % line for line in LANGUAGE)


# --- writing ----------------------------------------------------------------

def encode(text, name):
    try:
        return text.encode(ENCODING)
    except UnicodeEncodeError as e:
        line = text.count("\n", 0, e.start) + 1
        raise SourceError("%s, line %d: %r is not in ISO-8859-2" % (
            name, line, text[e.start:e.end]))


def build():
    """Returns {relative path: bytes} of every file the script writes."""
    statute_source = os.path.join(HERE, "statute_source.txt")
    chapters = parse_statute(statute_source)
    resolve_references(chapters, os.path.basename(statute_source))
    pages = [p for c in chapters for p in c.pages]

    files = {}
    files["naslovnica.html"] = title_page_html(chapters)
    for i, page in enumerate(pages):
        previous = pages[i - 1].file if i > 0 else "naslovnica.html"
        following = pages[i + 1].file if i + 1 < len(pages) else None
        files[page.file] = page_html(page, previous, following)
    files["toc.html"] = toc_html(chapters)
    files["index.html"] = index_html()
    files["Help.html"] = help_html(os.path.join(HERE, "help_source.txt"))
    files["zakon.css"] = STYLE
    records = [("naslovnica.html", TITLE_PAGE_TITLE)]
    records += [(p.file, p.title) for p in pages]
    files["Wlist.idx"] = wlist(records)

    out = {os.path.join("statute", name): encode(text, name)
           for name, text in files.items()}
    out[os.path.join("resources", "slo.lng")] = encode(language_file(), "slo.lng")
    return out


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--statute", required=True, help="folder for the pages")
    parser.add_argument("--lng", help="path of the language file (default: slo.lng in the folder)")
    args = parser.parse_args()
    args.lng = args.lng or os.path.join(args.statute, "slo.lng")
    try:
        files = build()
    except SourceError as e:
        sys.exit("write_statute.py: %s" % e)
    os.makedirs(args.statute, exist_ok=True)
    os.makedirs(os.path.dirname(os.path.abspath(args.lng)), exist_ok=True)
    for rel, data in sorted(files.items()):
        if rel.startswith("resources"):
            target = args.lng
        else:
            target = os.path.join(args.statute, os.path.basename(rel))
        with open(target, "wb") as f:
            f.write(data)
    print("wrote %d files" % len(files))


if __name__ == "__main__":
    main()
