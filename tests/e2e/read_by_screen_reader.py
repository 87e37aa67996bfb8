#!/usr/bin/python3
# Reads the real reader through the desktop's accessibility bus, as a screen
# reader does: a sentence of the page in frame "T" and a link of the contents
# frame; after a search typed with real keys, the results page's heading with
# the focus on it, and its links, which Tab walks; each picture button's name
# and press action, Home pressed through it bringing the home page back; and
# the main window's name, the caption label's text.
# Usage: read_by_screen_reader.py APPDIR LEXORIA_SEARCH, in an X server. It
# runs on a session bus of its own whose accessibility bus says a screen
# reader is on, and exits 77 (skipped) where dbus-run-session, the
# accessibility bus (at-spi2-core) or pyatspi is missing.
import contextlib, os, re, shutil, subprocess, sys, tempfile  # noqa: E401

from drive_reader import QUERIES, Failure, Reader, caron_keys, run, running, skip, wait_for

# In the home page's frame "T" and in its contents frame; the heading of the
# shipped results page; the lamps, which are no buttons.
SENTENCE, CONTENTS_LINK = "Besedilo zakona je izmišljeno.", "1. in 2. člen, namen zakona in pomen izrazov"
RESULTS_HEADING, LAMPS = "Rezultati iskanja", {4, 5}
SCREEN_READER_ON = ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                    "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status", "string:ScreenReaderEnabled",
                    "variant:boolean:true"]


def read(reader, appdir, lexoria_search, Atspi, GLib):
    desktop = Atspi.get_desktop(0)
    desktop.set_cache_mask(Atspi.Cache.NONE)
    app = wait_for("the reader on the accessibility bus", 60, lambda: next(
        (a for a in map(desktop.get_child_at_index, range(desktop.get_child_count()))
         if a and a.get_process_id() == reader.process.pid), None), reader.process)

    def nodes(root):
        yield root
        for child in map(root.get_child_at_index, range(root.get_child_count())):
            yield from nodes(child) if child else ()

    def find(what, test):
        # Looked for afresh until it shows, as the engine fills in the pages'
        # objects lazily; a look that meets an object going away counts for
        # nothing.
        def look():
            with contextlib.suppress(GLib.Error):
                return next((n for n in nodes(app) if test(n)), None)
        return wait_for(what, 60, look, reader.process)

    def named(role, name=None):
        return lambda n: n.get_role() == getattr(Atspi.Role, role) and name in (None, n.get_name())

    def results():
        heading = document = find("the results page's heading", named("HEADING", RESULTS_HEADING))
        while document.get_role() != Atspi.Role.DOCUMENT_WEB:
            document = document.get_parent()
        return heading, [n for n in nodes(document) if named("LINK")(n)]

    with open(os.path.join(appdir, "slo.lng"), encoding="iso-8859-2") as lines:
        texts = [(m[2], int(m[1]), m[3]) for m in map(re.compile(r"(\d+)\s+(\w+):(.*)").match, lines) if m]
    words = {key: text for key, _, text in texts}
    find("the main window named by its caption", named("FRAME", f"{words['strTitula']} ... {words['strCopy']}"))
    find(f"the sentence {SENTENCE!r} of frame T", lambda n: SENTENCE in n.get_name())
    find(f"the link {CONTENTS_LINK!r} of the contents frame", named("LINK", CONTENTS_LINK))

    reader.search_by_enter(QUERIES[0], os.path.join(appdir, "found.html"), lexoria_search, appdir)
    hits = subprocess.run([lexoria_search, appdir, QUERIES[0]], capture_output=True, text=True).stdout
    titles = [line.split("\t", 1)[1] for line in hits.splitlines()]
    wait_for("the results page's links to be the hits", 60,
             lambda: [n.get_name() for n in results()[1]] == titles, reader.process)
    focused = lambda node: node.get_state_set().contains(Atspi.StateType.FOCUSED)  # noqa: E731
    wait_for("the focus on the results page's heading", 60, lambda: focused(results()[0]), reader.process)
    for index, title in enumerate(titles):
        run("xdotool", "key", "Tab")
        wait_for(f"Tab to take the focus to {title!r}", 60, lambda: focused(results()[1][index]), reader.process)

    for key, index, name in texts:
        if key == "Button" and index not in LAMPS:
            button = find(f"the button {name!r}", named("PUSH_BUTTON", name)).queryAction()
            if [button.getName(i) for i in range(button.nActions)] != ["Press"]:
                raise Failure(f"the button {name!r} cannot be pressed, or does more")
            if index == 2:
                button.doAction(0)
                find("Home pressed through its action to show the home page", lambda n: SENTENCE in n.get_name())


def main():
    appdir, lexoria_search = sys.argv[1:3]
    if not os.environ.get("LEXORIA_OWN_BUS"):
        shutil.which("dbus-run-session") or skip("dbus-run-session is not installed")
        os.execvpe("dbus-run-session", ["dbus-run-session", "--", sys.executable, *sys.argv],
                   {**os.environ, "LEXORIA_OWN_BUS": "1"})
    try:
        import gi
        gi.require_version("Atspi", "2.0")
        from gi.repository import Atspi, GLib
        import pyatspi  # noqa: F401  its wrappers of the interfaces, queryAction among them
    except (ImportError, ValueError):
        skip("python3-pyatspi is not installed")
    with tempfile.TemporaryDirectory(prefix="lexoria-a11y-") as scratch, tempfile.TemporaryFile() as log, \
            caron_keys():
        # Asked only now that a client holds the X server: the accessibility
        # bus connects to it and leaves, and a server left by its last client
        # resets and refuses the reader for a moment.
        subprocess.run(SCREEN_READER_ON, capture_output=True).returncode == 0 or skip("no accessibility bus (at-spi2-core)")
        copy = shutil.copytree(appdir, os.path.join(scratch, "app"), symlinks=True,
                               ignore=shutil.ignore_patterns("found.html"))
        try:
            with running([os.path.join(copy, "lexoria")], log, "reading the reader's accessibility tree") as process:
                reader = Reader(process)
                reader.wait_until_idle("the home page")
                read(reader, copy, lexoria_search, Atspi, GLib)
        finally:
            # The accessibility bus leaves its address on the X server's root
            # window; it ends with this session.
            subprocess.run(["xprop", "-root", "-remove", "AT_SPI_BUS"])
    print("read by a screen reader: frames, results and their focus, buttons, window name")


if __name__ == "__main__":
    main()
