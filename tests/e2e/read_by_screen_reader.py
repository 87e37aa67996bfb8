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
import os, re, shutil, subprocess, sys, tempfile  # noqa: E401

from drive_reader import QUERIES, Failure, Reader, caron_keys, run, running, wait_for

SKIPPED = 77
OWN_BUS = "LEXORIA_TEST_OWN_BUS"
# In the home page's frame "T" and in its contents frame.
SENTENCE = "Besedilo zakona je izmišljeno."
CONTENTS_LINK = "1. in 2. člen, namen zakona in pomen izrazov"
# The heading of the shipped results page template.
RESULTS_HEADING = "Rezultati iskanja"
LAMPS = {4, 5}


def skip(why):
    print(f"skipped: {why}")
    sys.exit(SKIPPED)


def on_own_bus():
    if os.environ.get(OWN_BUS):
        return
    if not shutil.which("dbus-run-session"):
        skip("dbus-run-session is not installed")
    os.execvpe("dbus-run-session", ["dbus-run-session", "--", sys.executable, *sys.argv], {**os.environ, OWN_BUS: "1"})


def say_screen_reader_on():
    said = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                           "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status",
                           "string:ScreenReaderEnabled", "variant:boolean:true"], capture_output=True)
    if said.returncode != 0:
        skip("no accessibility bus (at-spi2-core)")


def language_texts(appdir):
    # "NN  key:text" lines of slo.lng, as (key, number, text).
    with open(os.path.join(appdir, "slo.lng"), encoding="iso-8859-2") as lines:
        return [(m[2], int(m[1]), m[3]) for m in (re.match(r"(\d+)\s+(\w+):(.*)", line.rstrip("\r\n")) for line in lines) if m]


class Tree:
    # The reader's accessibility tree, read afresh on every look: the engine
    # fills in the pages' objects lazily, and a cached tree would not see them.
    def __init__(self, reader, Atspi, GLib):
        self.reader, self.Atspi, self.GLib = reader, Atspi, GLib
        desktop = Atspi.get_desktop(0)
        desktop.set_cache_mask(Atspi.Cache.NONE)
        apps = lambda: [desktop.get_child_at_index(i) for i in range(desktop.get_child_count())]
        self.app = wait_for("the reader on the accessibility bus", 60,
                            lambda: next((a for a in apps() if a and a.get_process_id() == reader.process.pid), None),
                            reader.process)

    def nodes(self, root=None):
        root = root or self.app
        yield root
        for i in range(root.get_child_count()):
            if child := root.get_child_at_index(i):
                yield from self.nodes(child)

    def wait(self, what, test):
        # The first object for which test holds; objects that go away while
        # they are read make a look fail, and the next look counts.
        def look():
            try:
                return next((node for node in self.nodes() if test(node)), None)
            except self.GLib.Error:
                return None
        return wait_for(what, 60, look, self.reader.process)

    def is_(self, node, role, name=None):
        return node.get_role() == getattr(self.Atspi.Role, role) and (name is None or node.get_name() == name)

    def focused(self, node):
        return node.get_state_set().contains(self.Atspi.StateType.FOCUSED)


def results_links(tree):
    # The names of the links in the document that holds the results heading.
    heading = tree.wait("the results page's heading", lambda n: tree.is_(n, "HEADING", RESULTS_HEADING))
    document = heading
    while not tree.is_(document, "DOCUMENT_WEB"):
        document = document.get_parent()
    return heading, [n for n in tree.nodes(document) if tree.is_(n, "LINK")]


def read_reader(reader, tree, appdir, lexoria_search, found):
    texts = language_texts(appdir)
    title = next(text for key, _, text in texts if key == "strTitula")
    copy = next(text for key, _, text in texts if key == "strCopy")
    tree.wait("the main window named by its caption", lambda n: tree.is_(n, "FRAME", f"{title} ... {copy}"))
    tree.wait(f"the sentence {SENTENCE!r} of frame T", lambda n: SENTENCE in (n.get_name() or ""))
    tree.wait(f"the link {CONTENTS_LINK!r} of the contents frame", lambda n: tree.is_(n, "LINK", CONTENTS_LINK))

    query = QUERIES[0]
    reader.search_by_enter(query, found, lexoria_search, appdir)
    hits = subprocess.run([lexoria_search, appdir, query], capture_output=True, text=True).stdout
    expected = [line.split("\t", 1)[1] for line in hits.splitlines()]
    wait_for("the results page's links to be the hits", 60,
             lambda: [n.get_name() for n in results_links(tree)[1]] == expected, reader.process)
    wait_for("the focus on the results page's heading", 60, lambda: tree.focused(results_links(tree)[0]), reader.process)
    for index, name in enumerate(expected):
        run("xdotool", "key", "Tab")
        wait_for(f"Tab to take the focus to the link {name!r}", 60,
                 lambda: tree.focused(results_links(tree)[1][index]), reader.process)

    buttons = {}
    for key, index, name in texts:
        if key == "Button" and index not in LAMPS:
            buttons[index] = tree.wait(f"the button {name!r}", lambda n: tree.is_(n, "PUSH_BUTTON", name)).queryAction()
            actions = [buttons[index].getName(i) for i in range(buttons[index].nActions)]
            if actions != ["Press"]:
                raise Failure(f"the button {name!r} has the actions {actions}, not Press")
    buttons[2].doAction(0)
    tree.wait("Home pressed through its action to show the home page", lambda n: SENTENCE in (n.get_name() or ""))


def main():
    appdir, lexoria_search = sys.argv[1:3]
    on_own_bus()
    try:
        import gi
        gi.require_version("Atspi", "2.0")
        from gi.repository import Atspi, GLib
        import pyatspi  # noqa: F401  its wrappers of the interfaces, queryAction among them
    except (ImportError, ValueError):
        skip("python3-pyatspi is not installed")
    say_screen_reader_on()
    with tempfile.TemporaryDirectory(prefix="lexoria-a11y-") as scratch, tempfile.TemporaryFile() as log, \
            caron_keys():
        copy = shutil.copytree(appdir, os.path.join(scratch, "app"), symlinks=True,
                               ignore=shutil.ignore_patterns("found.html"))
        try:
            with running([os.path.join(copy, "lexoria")], log, "reading the reader's accessibility tree") as process:
                reader = Reader(process)
                reader.wait_until_idle("the home page")
                read_reader(reader, Tree(reader, Atspi, GLib), copy, lexoria_search, os.path.join(copy, "found.html"))
        finally:
            # The accessibility bus leaves its address on the X server's root
            # window; it ends with this session.
            subprocess.run(["xprop", "-root", "-remove", "AT_SPI_BUS"])
    print("read by a screen reader: frames, results and their focus, buttons, window name")


if __name__ == "__main__":
    main()
