#!/usr/bin/python3
# Usage: bundled_statute_test.py LEXORIA_IMPORT LEXORIA_SEARCH ACT STATUTE APPDIR
# The committed statute/ must be what lexoria-import writes from the act now,
# byte for byte; the built APPDIR must open on its title page, its help name
# the Official Gazette as the official text; and
# lexoria-search must find "odpovedni rok" in exactly the articles whose text
# holds it, as the act itself says.
import filecmp, os, re, subprocess, sys, tempfile  # noqa: E401
import xml.etree.ElementTree as ET

AKN = "{http://docs.oasis-open.org/legaldocml/ns/akn/3.0}"
PHRASE = "odpovedni rok"


def stale_files(importer, act, statute):
    with tempfile.TemporaryDirectory() as scratch:
        fresh = os.path.join(scratch, "statute")
        subprocess.run([importer, act, fresh], check=True, stdout=subprocess.DEVNULL)
        names = sorted(set(os.listdir(fresh)) | set(os.listdir(statute)))
        _, differ, missing = filecmp.cmpfiles(fresh, statute, names, shallow=False)
        return differ + missing


def articles_holding(act, phrase):
    found = []
    for article in ET.parse(act).iter(AKN + "article"):
        text = " ".join(" ".join(article.itertext()).split()).lower()
        if phrase in text:
            found.append(" ".join(article.find(AKN + "num").text.split()))
    return found


def main(importer, search, act, statute, appdir):
    failures = []
    if stale := stale_files(importer, act, statute):
        failures.append(f"statute/ differs from a fresh import in {stale}: run lexoria-import --force {act} {statute}")
    with open(os.path.join(appdir, "index.html"), encoding="iso-8859-2") as home:
        start = re.search(r'<frame name="T" src="([^"]+)"', home.read())
    with open(os.path.join(appdir, start.group(1) if start else "index.html"), encoding="iso-8859-2") as page:
        if "<h1 class=\"zakon\">Zakon o delovnih razmerjih (ZDR-1)</h1>" not in page.read():
            failures.append(f"the frame T of index.html opens {start and start.group(1)}, not the title page")
    with open(os.path.join(appdir, "Help.html"), encoding="iso-8859-2") as help_page:
        if "Uradni list RS" not in help_page.read():
            failures.append("Help.html does not name the Official Gazette")
    listing = subprocess.run([search, appdir, *PHRASE.split()], capture_output=True, text=True).stdout
    titles = [line.split("\t")[1] for line in listing.splitlines()]
    expected = articles_holding(act, PHRASE)
    if not expected or titles != expected:
        failures.append(f"lexoria-search found {titles}, the act holds the phrase in {expected}")
    print("\n".join(failures) or "the bundled statute is fresh and finds its articles")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
