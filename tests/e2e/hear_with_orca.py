#!/usr/bin/python3
# Drives the real reader with real keys while the real Orca listens, and
# checks what Orca speaks: after a typed search, the results' heading; Tab, the
# first hit's title; Enter, the line of its article that holds the word;
# Alt+Left, the results again; F1, the help page's heading.
# Twice: Orca started by hand (the desktop's screen-reader switch off), then by
# a desktop whose switch is on.
# Usage: hear_with_orca.py APPDIR LEXORIA_SEARCH WORD, in an X server. It runs
# on a session bus of its own, Orca speaking through speech-dispatcher's dummy
# module into its debug file. A plain window that Orca must speak comes first:
# where Orca does not speak it, Orca cannot run here and the test exits 77.
import contextlib, html, os, re, shutil, subprocess, sys, tempfile  # noqa: E401

from drive_reader import Failure, Reader, caron_keys, run, running, skip, wait_for
from read_by_screen_reader import RESULTS_HEADING, SCREEN_READER_ON

CONTROL_TITLE = "Lexoria control"
CONTROL = f"""
import gi
gi.require_version("Gtk", "3.0")
from gi.repository import Gtk
window = Gtk.Window(title="{CONTROL_TITLE}")
window.add(Gtk.Button(label="OK"))
window.show_all()
Gtk.main()
"""
# Orca writes its debug file in blocks: run as it is, with that file line
# by line, so that what it spoke can be read while it runs.
ORCA = """
import builtins, runpy, sys
plain_open = builtins.open
def line_by_line(file, mode="r", *args, **kwargs):
    return plain_open(file, mode, 1) if file == sys.argv[-1] else plain_open(file, mode, *args, **kwargs)
builtins.open = line_by_line
runpy.run_path("/usr/bin/orca", run_name="__main__")
"""
SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*?)' ?\{", re.S)


def page_text(path):
    with open(path, encoding="iso-8859-2") as page:
        return " ".join(html.unescape(re.sub(r"<[^>]*>", " ", page.read())).split())


class Orca:
    def __init__(self, scratch, switch, log):
        self.debug = os.path.join(scratch, f"orca-{switch}.log")
        self.process = subprocess.Popen(["/usr/bin/python3", "-c", ORCA, "-u", os.path.join(scratch, "orca"),
                                         "--debug-file", self.debug], stdout=log, stderr=subprocess.STDOUT,
                                        start_new_session=True)
        self.heard = 0

    def spoken(self):
        with open(self.debug, encoding="utf-8", errors="replace") as debug:
            return [" ".join(line.split()) for line in SPOKEN.findall(debug.read())]

    def hear(self, what, keys, test, process, timeout=60):
        # What Orca speaks after the keys, until a line passes the test; with
        # no keys, what it spoke since the last mark.
        if keys:
            self.heard = len(self.spoken())
            run("xdotool", "key", "--clearmodifiers", *keys)
        try:
            return wait_for(f"Orca to speak {what}", timeout,
                            lambda: next((line for line in self.spoken()[self.heard:] if test(line)), None), process)
        except Failure as failure:
            raise Failure(f"{failure}; it spoke {self.spoken()[self.heard:]}, after {self.spoken()[:self.heard][-12:]}") from None

    def stop(self):
        subprocess.run(["pkill", "--signal", "KILL", "--session", str(self.process.pid)])
        self.process.wait()


def speaks_control(orca, log):
    orca.heard = len(orca.spoken())
    control = subprocess.Popen(["/usr/bin/python3", "-c", CONTROL], stdout=log, stderr=subprocess.STDOUT)
    try:
        window = run("xdotool", "search", "--sync", "--onlyvisible", "--name", CONTROL_TITLE).split()[0]
        run("xdotool", "windowfocus", "--sync", window)
        orca.hear("the control window", [], lambda line: CONTROL_TITLE in line, control, 30)
        return True
    except Failure:
        return False
    finally:
        control.kill()
        control.wait()


@contextlib.contextmanager
def orca_listening(scratch, switch, log):
    orca = Orca(scratch, switch, log)
    try:
        wait_for("Orca to start", 60, lambda: os.path.exists(orca.debug) and orca.spoken(), orca.process)
        speaks_control(orca, log) or skip("Orca cannot run here: it did not speak a plain GTK window")
        yield orca
    finally:
        orca.stop()


def listen(copy, lexoria_search, word, scratch, switch, log):
    # Orca started by hand comes after the reader, which must then notice it;
    # a desktop whose switch is on starts it first.
    hits = [line.split("\t") for line in run(lexoria_search, copy, word).splitlines()]
    with open(os.path.join(copy, "Help.html"), encoding="iso-8859-2") as help_page:
        help_heading = re.search(r"<h\d[^>]*>(.*?)</h\d>", help_page.read(), re.S)[1].strip()
    article = page_text(os.path.join(copy, hits[0][0]))
    in_article = lambda line: line.lstrip("•◦▪ ") in article  # noqa: E731  a list item's bullet is spoken
    with contextlib.ExitStack() as stack:
        orca = switch == "on" and stack.enter_context(orca_listening(scratch, switch, log))
        process = stack.enter_context(running([os.path.join(copy, "lexoria")], log, "listening through Orca"))
        reader = Reader(process)
        reader.wait_until_idle("the home page")
        if not orca:
            orca = stack.enter_context(orca_listening(scratch, switch, log))
            run("xdotool", "windowfocus", "--sync", reader.id)
        reader.click(reader.search)
        run("xdotool", "type", "--delay", "80", word)
        said = [orca.hear("the results' heading", ["Return"], lambda line: RESULTS_HEADING in line, process)]
        said.append(orca.hear("the first hit's title", ["Tab"], lambda line: hits[0][1] in line, process))
        said.append(orca.hear(f"a line of the article with {word!r}", ["Return"],
                              lambda line: word.casefold() in line.casefold() and in_article(line), process))
        said.append(orca.hear("the results again", ["alt+Left"], lambda line: RESULTS_HEADING in line, process))
        said.append(orca.hear("the help page's heading", ["F1"], lambda line: help_heading in line, process))
        return said


def main():
    appdir, lexoria_search, word = sys.argv[1:4]
    if not os.environ.get("LEXORIA_OWN_BUS"):
        shutil.which("dbus-run-session") or skip("dbus-run-session is not installed")
        os.execvpe("dbus-run-session", ["dbus-run-session", "--", sys.executable, *sys.argv],
                   {**os.environ, "LEXORIA_OWN_BUS": "1"})
    os.path.exists("/usr/bin/orca") or skip("orca is not installed")
    os.environ["LC_ALL"] = "C.UTF-8"
    with tempfile.TemporaryDirectory(prefix="lexoria-orca-") as scratch, tempfile.TemporaryFile() as log, \
            caron_keys():
        # Orca, speech-dispatcher and their settings in a home of their own;
        # speech goes to the dummy module, which makes no sound.
        for name in ("HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"):
            os.environ[name] = os.path.join(scratch, name.lower())
            os.makedirs(os.environ[name], mode=0o700)
        os.makedirs(os.path.join(os.environ["XDG_CONFIG_HOME"], "speech-dispatcher"))
        with open(os.path.join(os.environ["XDG_CONFIG_HOME"], "speech-dispatcher", "speechd.conf"), "w") as conf:
            conf.write('AddModule "dummy" "sd_dummy" ""\nDefaultModule dummy\n')
        try:
            for switch in ("off", "on"):
                if switch == "on":
                    run(*SCREEN_READER_ON)
                copy = shutil.copytree(appdir, os.path.join(scratch, f"app-{switch}"), symlinks=True,
                                       ignore=shutil.ignore_patterns("found.html"))
                said = listen(copy, lexoria_search, word, scratch, switch, log)
                print(f"with the screen-reader switch {switch}, Orca said:", *said, sep="\n  ")
        finally:
            subprocess.run(["xprop", "-root", "-remove", "AT_SPI_BUS"])


if __name__ == "__main__":
    main()
