#!/usr/bin/python3
# Usage: packaged_language_file_test.py SOURCE_DIR APPDIR LEXORIA_IMPORT LEXORIA_CHECK LEXORIA_SEARCH
# The package's application directory, assembled as the package build does,
# for a statute without "slo.lng" and for one with its own: the first names
# its own statute in strTitula (the caption) and on the results page, and
# passes lexoria-check without a note; the second keeps its own file, whose
# other title lexoria-check notes.
import os, re, subprocess, sys, tempfile  # noqa: E401


def assemble(source, appdir, importer, statute, out):
    subprocess.run(["cmake", f"-DSTATUTE={statute}", f"-DSHIPPED={appdir}", f"-DIMPORT={importer}", f"-DOUT={out}",
                    "-P", f"{source}/packaging/assemble_app_dir.cmake"], check=True)


def strtitula(folder):
    with open(f"{folder}/slo.lng", encoding="iso-8859-2", newline="") as language:
        return re.search(r"strTitula:([^\r]*)", language.read()).group(1)


def main(source, appdir, importer, checker, search):
    failures = []
    with tempfile.TemporaryDirectory() as scratch:
        statute, out = f"{scratch}/statute", f"{scratch}/out"
        subprocess.run([sys.executable, f"{source}/tools/make_statute.py", statute, "--pages", "3",
                        "--page-bytes", "2000", "--plant", "xilofon=2"], check=True)
        with open(f"{statute}/index.html", encoding="iso-8859-2") as home:
            title = re.search(r"<title>(.*?)</title>", home.read(), re.DOTALL).group(1).strip()
        assemble(source, appdir, importer, statute, out)
        if strtitula(out) != title:
            failures.append(f"strTitula is {strtitula(out)!r}, not the statute's title {title!r}")
        checked = subprocess.run([checker, out], capture_output=True, text=True, encoding="iso-8859-2")
        if checked.returncode != 0 or "note" in checked.stdout:
            failures.append(f"lexoria-check: {checked.stdout}")
        subprocess.run([search, "--write", out, "xilofon"], check=True, stdout=subprocess.DEVNULL)
        with open(f"{out}/found.html", encoding="iso-8859-2") as found:
            if f'<p class="zakon">{title}</p>' not in found.read():
                failures.append("the results page does not name the statute")
        with open(f"{statute}/slo.lng", "wb") as own:
            own.write(b"00  strTitula:Lastni naslov\r\n00  strFoundHtml:BODDDY\r\n")
        assemble(source, appdir, importer, statute, out)
        if strtitula(out) != "Lastni naslov":
            failures.append(f"a statute's own slo.lng became {strtitula(out)!r}")
        checked = subprocess.run([checker, out], capture_output=True, text=True, encoding="iso-8859-2")
        if checked.returncode != 0 or "is not the statute's title" not in checked.stdout:
            failures.append(f"lexoria-check does not note the foreign title: {checked.stdout}")
    print("\n".join(failures) or "each package's language file names its statute")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
