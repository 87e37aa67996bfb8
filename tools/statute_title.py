#!/usr/bin/python3
"""Prints the <title> of a statute page in UTF-8, its blanks folded to one space.

    statute_title.py PAGE

The page is ISO-8859-2, as every page the reader shows. Exit status 1 when
the page has no title with text.
"""

import html
import re
import sys


def main(argv):
    if len(argv) != 2:
        sys.exit(f"usage: {argv[0]} PAGE")
    with open(argv[1], encoding="iso-8859-2") as page:
        found = re.search(r"<title[^>]*>(.*?)</title\s*>", page.read(), re.IGNORECASE | re.DOTALL)
    title = " ".join(html.unescape(found.group(1)).split()) if found else ""
    if not title:
        sys.exit(f"{argv[1]}: no <title> with text")
    print(title)


if __name__ == "__main__":
    main(sys.argv)
