#!/usr/bin/python3
"""Checks the bundled statute and the shipped language file.

Usage: check_statute.py SOURCE_DIR

Looks at SOURCE_DIR/statute and SOURCE_DIR/resources/slo.lng for what breaks
the reader when someone edits them: a malformed Wlist.idx record, a listed
page that is missing, mis-encoded or lacks the anchor F1, a page left out of
the index or the contents, a dead contents link, a frameset without the
frame "T", a language line the loader would reject or misread, a results
template without its placeholders, and generated files that no longer match
tools/write_statute.py. Before that it runs the checks on a table of broken
samples, so that a check that has stopped finding faults fails too.
Exits 1 and lists every problem found.
"""

import filecmp
import os
import re
import subprocess
import sys
import tempfile

FRAME_FILES = {"index.html", "toc.html", "Help.html"}
MAX_PAGES = 512
BUTTONS = set(range(13))
KEYS = ["Button", "Frame", "NotFound", "strFoundHtml", "strTitula", "strCopy"]
RECORD = re.compile(rb'"([^",\r\n]+)","([^"\r\n]+)"\r\n')
SAFE_NAME = re.compile(r"[A-Za-z0-9_.-]+\Z")
CHARSET = re.compile(rb"charset=[\"']?iso-8859-2", re.I)
ANCHOR_F1 = re.compile(rb"<a\s+name=[\"']?F1[\"'\s>]", re.I)
C1_BYTES = re.compile(rb"[\x80-\x9f]")


# --- checks on bytes ----------------------------------------------------------

def parse_wlist(data):
    """Returns ([(file, title bytes)], [problems]) for the bytes of Wlist.idx."""
    records, problems, pos = [], [], 0
    while pos < len(data):
        m = RECORD.match(data, pos)
        if not m:
            line = data.count(b"\n", 0, pos) + 1
            rest = data[pos:data.find(b"\n", pos) + 1 or len(data)]
            problems.append("Wlist.idx line %d is not \"file\",\"title\" CR LF: %r"
                            % (line, rest))
            break
        records.append((m.group(1).decode("ascii", "replace"), m.group(2)))
        pos = m.end()
    if not data:
        problems.append("Wlist.idx is empty")
    if len(records) > MAX_PAGES:
        problems.append("Wlist.idx lists %d pages; the reader holds %d"
                        % (len(records), MAX_PAGES))
    seen = set()
    for file, title in records:
        if not SAFE_NAME.match(file):
            problems.append("Wlist.idx file name %r is not a plain ASCII name" % file)
        if file in FRAME_FILES:
            problems.append("Wlist.idx lists %s, which is no content page" % file)
        if file in seen:
            problems.append("Wlist.idx lists %s twice" % file)
        seen.add(file)
        if C1_BYTES.search(title):
            problems.append("Wlist.idx title of %s is not ISO-8859-2 text "
                            "(bytes 0x80-0x9F): %r" % (file, title))
    return records, problems


def check_page(name, data):
    """Problems of one page that the reader shows and searches."""
    problems = []
    if not CHARSET.search(data[:1024]):
        problems.append("%s does not declare charset iso-8859-2 in its head" % name)
    if C1_BYTES.search(data):
        problems.append("%s holds bytes 0x80-0x9F: saved as UTF-8 or "
                        "Windows-1250, not ISO-8859-2" % name)
    return problems


def check_content_page(name, data):
    problems = check_page(name, data)
    m = ANCHOR_F1.search(data)
    if not m:
        problems.append("%s has no anchor <a name=\"F1\">" % name)
    elif b"<body" in data.lower() and m.start() > data.lower().find(b"<body") + 400:
        problems.append("%s has its anchor F1 far below the top of the body" % name)
    return problems


def links(data, tag, attribute):
    """(value of attribute, whole tag) of every such tag in the page."""
    pattern = rb"<%s\b[^>]*>" % tag.encode()
    out = []
    for m in re.finditer(pattern, data, re.I):
        a = re.search(rb"\b%s\s*=\s*[\"']([^\"']*)[\"']" % attribute.encode(),
                      m.group(0), re.I)
        if a:
            out.append((a.group(1).decode("latin-1"), m.group(0)))
    return out


def check_frameset(data):
    problems = []
    frames = {}
    for src, tag in links(data, "frame", "src"):
        name = re.search(rb"\bname\s*=\s*[\"']([^\"']*)[\"']", tag, re.I)
        frames[name.group(1).decode("latin-1") if name else ""] = src
    if "T" not in frames:
        problems.append("index.html has no frame named \"T\"")
    return frames, problems


def check_toc(data):
    """Returns ([linked files], [problems]) for the bytes of toc.html."""
    problems, files = [], []
    for href, tag in links(data, "a", "href"):
        file = href.split("#", 1)[0]
        files.append(file)
        if not re.search(rb"\btarget\s*=\s*[\"']T[\"']", tag):
            problems.append("toc.html link to %s does not open in frame \"T\"" % href)
    if not files:
        problems.append("toc.html has no links")
    return files, problems


def parse_lng(data):
    """Returns ({key: value} with "Button n" keys, [problems]) for slo.lng."""
    problems, values = [], {}
    if re.search(rb"(?<!\r)\n", data):
        problems.append("slo.lng has a line end without CR: the loader reads "
                        "LF-only lines as one line")
    if re.search(rb"\r(?!\n)", data):
        problems.append("slo.lng has a lone CR, which splits a line")
    if data and not data.endswith(b"\r\n"):
        problems.append("slo.lng does not end with CR LF")
    if C1_BYTES.search(data):
        problems.append("slo.lng holds bytes 0x80-0x9F: not ISO-8859-2 text")
    for number, line in enumerate(re.split(rb"\r\n|\r|\n", data), 1):
        if not line:
            continue
        text = line.decode("latin-1")
        prefix = text[:4]
        if not re.fullmatch(r"\d+ *", prefix):
            problems.append("slo.lng line %d: %r is not a four-character number "
                            "prefix" % (number, prefix))
            continue
        colon = text.find(":")
        if colon < 4:
            problems.append("slo.lng line %d: no colon after the prefix" % number)
            continue
        key, value = text[4:colon], line[colon + 1:]
        if key not in KEYS:
            problems.append("slo.lng line %d: unknown key %r" % (number, key))
            continue
        if key == "Button":
            n = int(prefix)
            if n not in BUTTONS:
                problems.append("slo.lng line %d: no button %d" % (number, n))
            key = "Button %d" % n
        if key in values:
            problems.append("slo.lng line %d: %s given twice" % (number, key))
        values[key] = value
    for key in KEYS[1:] + ["Button %d" % n for n in sorted(BUTTONS)]:
        if key not in values:
            problems.append("slo.lng has no %s line" % key)
    template = values.get("strFoundHtml", b"")
    if "strFoundHtml" in values:
        for token in (b"TITULA", b"BODDDY"):
            if token not in template:
                problems.append("slo.lng strFoundHtml lacks the placeholder %s"
                                % token.decode())
        if not CHARSET.search(template):
            problems.append("slo.lng strFoundHtml does not declare iso-8859-2")
    for key in ("strTitula", "NotFound"):
        if re.search(rb"TITULA|BODDDY", values.get(key, b"")):
            problems.append("slo.lng %s holds a placeholder of the results page" % key)
    return values, problems


# --- the table of broken samples ----------------------------------------------

GOOD_LNG = b"".join(b"%02d  Button:x\r\n" % n for n in sorted(BUTTONS)) + (
    b"00  Frame:Iskanje\r\n00  NotFound:Ni.\r\n00  strTitula:Zakon\r\n"
    b"00  strCopy:izdaja\r\n00  strFoundHtml:<meta charset=\"iso-8859-2\">"
    b"<title>TITULA</title>BODDDY\r\n")

SAMPLES = [
    # (what, check, input, expected fragment of a problem; None: no problem)
    ("good index", parse_wlist, b'"a.html","1. \xe8len, namen"\r\n', None),
    ("LF only", parse_wlist, b'"a.html","Naslov"\n', "is not \"file\""),
    ("last line without CR LF", parse_wlist, b'"a.html","A"\r\n"b.html","B"',
     "line 2"),
    ("title without quotes", parse_wlist, b'"a.html",1. clen, namen\r\n',
     "is not \"file\""),
    ("quote inside title", parse_wlist, b'"a.html","a "b" c"\r\n', "is not"),
    ("trailing empty line", parse_wlist, b'"a.html","A"\r\n\r\n', "line 2"),
    ("frame page listed", parse_wlist, b'"toc.html","Kazalo"\r\n', "no content page"),
    ("duplicate page", parse_wlist, b'"a.html","A"\r\n"a.html","B"\r\n', "twice"),
    ("UTF-8 title", parse_wlist, '"a.html","člen"\r\n'.encode("utf-8"), "0x80-0x9F"),
    ("513 pages", parse_wlist, b'"a.html","A"\r\n' * 513, "holds 512"),
    ("good page", check_content_page,
     b'<head><meta charset="iso-8859-2"></head><body><a name="F1"></a>\xe8', None),
    ("no anchor", check_content_page,
     b'<head><meta charset="iso-8859-2"></head><body><a name="F2"></a>', "F1"),
    ("no charset", check_content_page, b'<body><a name="F1"></a>', "charset"),
    ("UTF-8 page", check_content_page,
     '<meta charset="iso-8859-2"><body><a name="F1"></a>č'.encode("utf-8"),
     "0x80-0x9F"),
    ("frame T", check_frameset,
     b'<frameset><frame name="K" src="toc.html"><frame name="T" src="a.html">', None),
    ("no frame T", check_frameset,
     b'<frameset><frame name="K" src="toc.html"><frame name="t" src="a.html">',
     "frame named"),
    ("toc link opening elsewhere", check_toc, b'<a href="a.html">A</a>', "frame"),
    ("good language file", parse_lng, GOOD_LNG, None),
    ("LF-only language file", parse_lng, GOOD_LNG.replace(b"\r\n", b"\n"), "without CR"),
    ("short prefix", parse_lng, GOOD_LNG.replace(b"00  Frame", b"0 Frame"), "prefix"),
    ("colon in the prefix", parse_lng, GOOD_LNG.replace(b"00  Frame:", b"00: Frame:"),
     "prefix"),
    ("key with a blank", parse_lng, GOOD_LNG.replace(b"strCopy:", b"strCopy :"),
     "unknown key"),
    ("no such button", parse_lng, GOOD_LNG + b"13  Button:x\r\n", "no button 13"),
    ("missing tooltip", parse_lng, GOOD_LNG.replace(b"10  Button:x\r\n", b""),
     "no Button 10"),
    ("template without body", parse_lng, GOOD_LNG.replace(b"BODDDY", b"BODY"), "BODDDY"),
    ("template without title", parse_lng, GOOD_LNG.replace(b"TITULA", b"TITLE"),
     "TITULA"),
    ("template split over lines", parse_lng,
     GOOD_LNG.replace(b"</title>", b"</title>\r\n"), "prefix"),
]


def self_test():
    problems = []
    for what, check, data, expected in SAMPLES:
        if check is check_content_page:
            found = check("a.html", data)
        else:
            found = check(data)[1]
        text = "\n".join(found)
        if expected is None and found:
            problems.append("self-test %r: unexpected problem: %s" % (what, text))
        if expected is not None and expected not in text:
            problems.append("self-test %r: expected a problem with %r, got %r"
                            % (what, expected, text or "none"))
    return problems


# --- the shipped files --------------------------------------------------------

def read(path):
    with open(path, "rb") as f:
        return f.read()


def check_statute(root):
    statute = os.path.join(root, "statute")
    problems = []
    records, found = parse_wlist(read(os.path.join(statute, "Wlist.idx")))
    problems += found
    listed = set()
    for file, _ in records:
        listed.add(file)
        path = os.path.join(statute, file)
        if not os.path.isfile(path):
            problems.append("Wlist.idx lists %s, which does not exist" % file)
            continue
        problems += check_content_page(file, read(path))

    pages = {f for f in os.listdir(statute) if f.lower().endswith((".html", ".htm"))}
    for file in sorted(pages - listed - FRAME_FILES):
        problems.append("%s is not in Wlist.idx: the search never finds it" % file)
    for file in sorted(FRAME_FILES - pages):
        problems.append("statute/%s is missing" % file)

    if "index.html" in pages:
        data = read(os.path.join(statute, "index.html"))
        problems += check_page("index.html", data)
        frames, found = check_frameset(data)
        problems += found
        for name, src in frames.items():
            if not os.path.isfile(os.path.join(statute, src.split("#")[0])):
                problems.append("index.html frame %r shows %s, which does not exist"
                                % (name, src))
    if "toc.html" in pages:
        data = read(os.path.join(statute, "toc.html"))
        problems += check_page("toc.html", data)
        linked, found = check_toc(data)
        problems += found
        for file in linked:
            if not os.path.isfile(os.path.join(statute, file)):
                problems.append("toc.html links to %s, which does not exist" % file)
        for file in sorted(listed - set(linked)):
            problems.append("%s is in Wlist.idx but not in toc.html" % file)
    if "Help.html" in pages:
        problems += check_content_page("Help.html", read(os.path.join(statute, "Help.html")))

    lng = os.path.join(root, "resources", "slo.lng")
    if os.path.isfile(lng):
        problems += parse_lng(read(lng))[1]
    else:
        problems.append("resources/slo.lng is missing")
    return problems


def check_generated(root):
    """The committed files must be what the generator writes from its sources."""
    script = os.path.join(root, "tools", "write_statute.py")
    if not os.path.isfile(script):
        return []
    with tempfile.TemporaryDirectory() as tmp:
        out_statute = os.path.join(tmp, "statute")
        out_lng = os.path.join(tmp, "slo.lng")
        run = subprocess.run([sys.executable, script, "--statute", out_statute,
                              "--lng", out_lng], capture_output=True, text=True)
        if run.returncode != 0:
            return ["tools/write_statute.py failed: %s" % run.stderr.strip()]
        problems = []
        pairs = [(os.path.join(out_statute, f), os.path.join(root, "statute", f),
                  "statute/" + f) for f in sorted(os.listdir(out_statute))]
        pairs.append((out_lng, os.path.join(root, "resources", "slo.lng"),
                      "resources/slo.lng"))
        for new, old, name in pairs:
            if not os.path.isfile(old) or not filecmp.cmp(new, old, shallow=False):
                problems.append("%s differs from what tools/write_statute.py "
                                "writes; edit the sources in tools/ and run it" % name)
        return problems


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: check_statute.py SOURCE_DIR")
    root = sys.argv[1]
    problems = self_test()
    problems += check_statute(root)
    problems += check_generated(root)
    for p in problems:
        print(p)
    if problems:
        print("%d problem(s)" % len(problems))
        sys.exit(1)
    print("statute and language file: OK")


if __name__ == "__main__":
    main()
