#!/usr/bin/python3
# Hears the real reader through the real Orca, as a blind person does, driven
# with real keys: after a typed search for the word, the results' heading; Tab,
# the first hit's title; Enter, the line of its page that holds the word; Down,
# the line after it; Alt+Left, the results again; F1, the help page's heading.
# Twice: Orca started by hand after the reader (the desktop's screen-reader
# switch off), which must then notice it, and by a desktop whose switch is on,
# before the reader.
# Usage: read_by_screen_reader.py APPDIR LEXORIA_SEARCH WORD, in an X server,
# on a session bus of its own; Orca speaks through speech-dispatcher's dummy
# module into its debug file. A plain window that Orca must speak comes first.
# It exits 77 (skipped) where dbus-run-session, the accessibility bus
# (at-spi2-core) or Orca is missing, or Orca cannot speak that window.
import contextlib, html, os, re, shutil, subprocess, sys, tempfile  # noqa: E401

from drive_reader import Failure, Reader, caron_keys, run, running, skip, wait_for

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from orca_speech import kill_orca, quiet_home, spoken, start_orca  # noqa: E402

# The heading of the shipped results page.
RESULTS_HEADING = "Rezultati iskanja"
SCREEN_READER_ON = ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                    "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status", "string:ScreenReaderEnabled",
                    "variant:boolean:true"]

CONTROL_TITLE = "Lexoria control"
CONTROL = ('import gi; gi.require_version("Gtk", "3.0"); from gi.repository import Gtk; '
           f'window = Gtk.Window(title="{CONTROL_TITLE}"); window.show_all(); Gtk.main()')


@contextlib.contextmanager
def orca_listening(scratch, switch, log):
    # Where Orca does not start or does not speak a plain window, it cannot
    # run here.
    debug, heard = os.path.join(scratch, f"orca-{switch}.log"), [0]
    orca = start_orca(debug, log)

    def hear(what, keys, test, process, timeout=60, since_start=False):
        # What Orca speaks after the keys, until a line passes the test; or,
        # since_start, anything it spoke since it started (Orca 48 names the
        # window that has the focus as it starts, before the control window).
        heard[0] = len(spoken(debug)) if keys else heard[0]
        begin = 0 if since_start else heard[0]
        run("xdotool", "key", "--clearmodifiers", *keys) if keys else None
        try:
            return wait_for(f"Orca to speak {what}", timeout,
                            lambda: next((line for line in spoken(debug)[begin:] if test(line)), None), process)
        except Failure as failure:
            raise Failure(f"{failure}; it spoke {spoken(debug)[begin:]} after {spoken(debug)[:begin][-12:]}")
    try:
        with contextlib.suppress(Failure):
            wait_for("Orca to start", 60, lambda: spoken(debug), orca)
            heard[0] = len(spoken(debug))
            control = subprocess.Popen(["/usr/bin/python3", "-c", CONTROL], stdout=log, stderr=subprocess.STDOUT)
            try:
                run("xdotool", "windowfocus", "--sync", run("xdotool", "search", "--sync", "--onlyvisible", "--name",
                                                            CONTROL_TITLE).split()[0])
                heard.append(hear("the control window", [], lambda line: CONTROL_TITLE in line, control, 30))
            finally:
                control.kill()
                control.wait()
        heard[1:] or skip("Orca cannot run here: it did not start or did not speak a plain GTK window")
        yield hear
    finally:
        kill_orca(orca)


def listen(copy, lexoria_search, word, scratch, switch, log):
    # Orca started by hand comes after the reader, which must then notice it;
    # a desktop whose switch is on starts it first.
    hits = [line.split("\t") for line in run(lexoria_search, copy, word).splitlines()]
    with open(os.path.join(copy, "Help.html"), encoding="iso-8859-2") as help_page:
        help_heading = re.search(r"<h\d[^>]*>(.*?)</h\d>", help_page.read(), re.S)[1].strip()
    with open(os.path.join(copy, hits[0][0]), encoding="iso-8859-2") as page:
        article = " ".join(html.unescape(re.sub(r"<[^>]*>", " ", page.read())).split())
    said = []

    def next_after_last_said(line):
        # A list item's bullet is spoken.
        line, last = (text.lstrip("•◦▪ ") for text in (line, said[-1]))
        return line != "" and article[article.find(last) + len(last):].lstrip().startswith(line)
    steps = [("the results' heading", "Return", lambda line: RESULTS_HEADING in line),
             ("the first hit's title", "Tab", lambda line: hits[0][1] in line),
             (f"a line of the article with {word!r}", "Return",
              lambda line: word.casefold() in line.casefold() and line.lstrip("•◦▪ ") in article),
             ("the article's next line, whole", "Down", next_after_last_said),
             ("the results again", "alt+Left", lambda line: RESULTS_HEADING in line),
             ("the help page's heading", "F1", lambda line: help_heading in line)]
    with contextlib.ExitStack() as stack:
        hear = switch == "on" and stack.enter_context(orca_listening(scratch, switch, log))
        process = stack.enter_context(running([os.path.join(copy, "lexoria")], log, "listening through Orca"))
        reader = Reader(process)
        reader.wait_until_idle("the home page")
        if not hear:
            hear = stack.enter_context(orca_listening(scratch, switch, log))
            run("xdotool", "windowfocus", "--sync", reader.id)
        hear("the window's name, the caption with its \" ... \"", [], lambda line: " ... " in line, process, since_start=True)
        reader.click(reader.search)
        run("xdotool", "type", "--delay", "80", word)
        for what, key, test in steps:
            said.append(hear(what, [key], test, process))
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
        quiet_home(scratch)
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
