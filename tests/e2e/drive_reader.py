#!/usr/bin/python3
"""Drives the real reader with real pointer and key events.

Usage: drive_reader.py APPDIR LEXORIA_SEARCH

Needs an X server in DISPLAY (./test runs ctest under xvfb-run) and xdotool.
The X server's keyboard layout is Slovene while the script runs, so that
xdotool types č, š and ž with keys of the layout instead of keys it remaps for
a moment. The reader runs on a copy of the application directory; the reader's
own search from the command line, lexoria-search --write on a second copy,
gives the found.html each typed query must produce. On a failure the script
says what happened, saves drive_reader_failure.png and exits with 1.
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from PIL import ImageGrab

# The window design in twips, 15 to a logical pixel, inside a 4-pixel frame:
# the Search button, and the ready lamp two pictures left of Close.
FRAME, PICTURE, MARGIN, SEARCH_LEFT = 4, 480, 120, 2640
# Capitals, č š ž in either case, punctuation and runs of spaces; the last
# finds nothing.
QUERIES = ["  Oskrbnik  KOČE, ", "Župan:", "planinsko DRUŠTVO", "Šotorišče,   žičnica?"]


class Failure(Exception):
    pass


def xdotool(*args):
    result = subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True)
    if result.returncode != 0:
        raise Failure(f"xdotool {' '.join(map(str, args))} failed: {result.stderr.strip()}")
    return result.stdout


def wait_for(what, timeout, condition, reader):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if reader.poll() is not None:
            raise Failure(f"the reader ended with status {reader.returncode} while waiting for {what}")
        value = condition()
        if value:
            return value
        time.sleep(0.25)
    raise Failure(f"gave up waiting for {what} after {timeout} s")


def main_window(reader):
    """The main window, once start-up has shown it and hidden the splash "Form2"."""
    def shown():
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(reader.pid)],
                               capture_output=True, text=True).stdout.split()
        names = [xdotool("getwindowname", window).strip() for window in found]
        return found[0] if found and "Form2" not in names else None
    return wait_for("the main window", 90, shown, reader)


class Window:
    def __init__(self, reader):
        self.reader = reader
        self.id = main_window(reader)
        half = PICTURE // 30
        close_left = self.geometry()[2] * 15 - PICTURE - MARGIN
        self.search = (FRAME + SEARCH_LEFT // 15 + half, FRAME + half)
        self.close = (FRAME + close_left // 15 + half, FRAME + half)
        self.lamp = (FRAME + (close_left - 2 * PICTURE) // 15 + half, FRAME + half)

    def geometry(self):
        values = dict(line.split("=", 1) for line in xdotool("getwindowgeometry", "--shell", self.id).split())
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"])

    def click(self, point):
        xdotool("mousemove", "--window", self.id, *point)
        time.sleep(0.3)
        xdotool("click", "1")
        time.sleep(0.5)

    def wait_until_idle(self, what):
        """Until no page is loading: the green ready lamp shows for 1.5 s."""
        since = []

        def idle():
            x, y, _ = self.geometry()
            at = (x + self.lamp[0], y + self.lamp[1])
            red, green, _ = ImageGrab.grab(bbox=(*at, at[0] + 1, at[1] + 1)).getpixel((0, 0))[:3]
            if green <= red + 40:
                since.clear()
                return False
            since[:] = since or [time.monotonic()]
            return time.monotonic() - since[0] >= 1.5
        wait_for(what, 60, idle, self.reader)


def expected_results(lexoria_search, appdir, query):
    with tempfile.TemporaryDirectory(prefix="lexoria-expected-") as scratch:
        copy = shutil.copytree(appdir, os.path.join(scratch, "app"), symlinks=True)
        subprocess.run([lexoria_search, "--write", copy, query], capture_output=True)
        with open(os.path.join(copy, "found.html"), "rb") as found:
            return found.read()


def results(reader, found):
    """found.html once the reader has written it whole."""
    def written():
        if not os.path.exists(found):
            return None
        with open(found, "rb") as first:
            content = first.read()
        time.sleep(0.2)
        with open(found, "rb") as second:
            return content if content and second.read() == content else None
    return wait_for("found.html", 30, written, reader)


def nothing_written(reader, found, what):
    """A key that must do nothing is given 4 s to do something all the same."""
    time.sleep(4)
    if reader.poll() is not None or os.path.exists(found):
        raise Failure(f"{what} wrote found.html or ended the reader")


def drive(reader, appdir, lexoria_search, found):
    window = Window(reader)
    window.wait_until_idle("the home page")
    # Each query typed into the search box and sent with Enter; the panel
    # closes after each, so Enter then does nothing.
    for query in QUERIES:
        window.click(window.search)
        xdotool("type", "--delay", "80", query)
        xdotool("key", "--clearmodifiers", "Return")
        if results(reader, found) != expected_results(lexoria_search, appdir, query):
            raise Failure(f"found.html for {query!r} differs from lexoria-search's")
        window.wait_until_idle(f"the results page of {query!r}")
        os.remove(found)
        xdotool("key", "--clearmodifiers", "Return")
        nothing_written(reader, found, f"Enter after the search for {query!r}")

    # Escape hides the panel, so Enter does nothing; the box keeps its text
    # for the next opening of the panel.
    window.click(window.search)
    xdotool("type", "--delay", "80", "Društvo")
    xdotool("key", "--clearmodifiers", "Escape", "Return")
    nothing_written(reader, found, "Enter after Escape")
    window.click(window.search)
    xdotool("key", "--clearmodifiers", "Return")
    if results(reader, found) != expected_results(lexoria_search, appdir, "Društvo"):
        raise Failure("found.html for the kept text differs from lexoria-search's")
    window.wait_until_idle("the results page of the kept text")

    window.click(window.close)
    try:
        if reader.wait(30) != 0:
            raise Failure(f"the reader ended with status {reader.returncode} after Close")
    except subprocess.TimeoutExpired:
        raise Failure("the reader still runs 30 s after a click on the Close button")


def drive_copy(appdir, lexoria_search):
    with tempfile.TemporaryDirectory(prefix="lexoria-e2e-") as scratch:
        copy = shutil.copytree(appdir, os.path.join(scratch, "app"), symlinks=True)
        found = os.path.join(copy, "found.html")
        if os.path.exists(found):
            os.remove(found)
        log_path = os.path.join(scratch, "reader.log")
        with open(log_path, "wb") as log:
            # Its own session, so that the web view's helper processes end with it.
            reader = subprocess.Popen([os.path.join(copy, "lexoria")], cwd=scratch,
                                      stdout=log, stderr=subprocess.STDOUT, start_new_session=True)
        try:
            drive(reader, appdir, lexoria_search, found)
        except Failure as failure:
            print(f"FAIL: {failure}", file=sys.stderr)
            ImageGrab.grab().save("drive_reader_failure.png")
            with open(log_path, errors="replace") as log:
                print("the reader's output:\n" + log.read()[-3000:], file=sys.stderr)
            return 1
        finally:
            try:
                os.killpg(reader.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            reader.wait()
    print("reader driven: searches by Enter, Escape, Close")
    return 0


def main():
    appdir, lexoria_search = sys.argv[1:3]
    layout = subprocess.run(["setxkbmap", "-query"], capture_output=True, text=True, check=True).stdout
    layout = next((line.split(":", 1)[1].strip() for line in layout.splitlines() if line.startswith("layout")), "us")
    subprocess.run(["setxkbmap", "si"], check=True)
    try:
        return drive_copy(appdir, lexoria_search)
    finally:
        subprocess.run(["setxkbmap", layout], check=True)


if __name__ == "__main__":
    sys.exit(main())
