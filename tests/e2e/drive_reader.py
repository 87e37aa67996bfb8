#!/usr/bin/python3
"""Drives the real reader with real pointer and key events.

Usage: drive_reader.py APPDIR LEXORIA_SEARCH

Needs an X server in DISPLAY (./test runs ctest under xvfb-run) and xdotool.
The keyboard layout of that X server is set to Slovene while the script runs,
so that xdotool types č, š and ž with keys of the layout instead of keys it
remaps for a moment, which the reader may read before or after the remapping.
The application directory is copied into a temporary directory, so that the
found.html the reader writes never lands in the real one. The reader's own
search from the command line, lexoria-search --write on a second copy, gives
the found.html that each typed query must produce.

On a failure the script says what happened, saves a screenshot of the screen
as drive_reader_failure.png in the working directory and exits with 1.
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from PIL import ImageGrab

# Window design in twips, 15 to a logical pixel; the sizing frame lies
# between the window's outer top-left corner and its client area.
TWIPS_PER_PIXEL = 15
FRAME = 4
PICTURE = 480
LAYOUT_MARGIN = 120
SEARCH_LEFT = 2640

START_TIMEOUT = 90
IDLE_TIMEOUT = 60
RESULTS_TIMEOUT = 30
EXIT_TIMEOUT = 30
# How long the lamp must stay green before the window counts as idle, and how
# long a key that must do nothing is given to do something all the same.
IDLE_SPELL = 1.5
SETTLE = 4

SCREENSHOT = "drive_reader_failure.png"

# Typed as a reader would: capitals, č š ž in either case, punctuation and
# runs of spaces. The first three find pages, the last finds none.
QUERIES = [
    "  Oskrbnik  KOČE, ",
    "Župan:",
    "planinsko DRUŠTVO",
    "Šotorišče,   žičnica?",
]


class Failure(Exception):
    pass


def xdotool(*args):
    result = subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True)
    if result.returncode != 0:
        raise Failure(f"xdotool {' '.join(map(str, args))} failed: {result.stderr.strip()}")
    return result.stdout


def visible_windows(pid):
    """Window id and name of every mapped window of the process."""
    result = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                            capture_output=True, text=True)
    windows = []
    for line in result.stdout.split():
        name = subprocess.run(["xdotool", "getwindowname", line],
                              capture_output=True, text=True).stdout.strip()
        windows.append((line, name))
    return windows


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


def wait_for_main_window(reader):
    """The main window, once start-up has shown it and hidden the splash "Form2"."""
    def shown():
        windows = visible_windows(reader.pid)
        if any(name == "Form2" for _, name in windows):
            return None
        return windows[0][0] if windows else None
    return wait_for("the main window", START_TIMEOUT, shown, reader)


def geometry(window):
    values = dict(line.split("=", 1) for line in xdotool("getwindowgeometry", "--shell", window).split())
    return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])


def pixels(twips):
    return twips // TWIPS_PER_PIXEL


class Buttons:
    """Centres of the picture buttons, in the window's own coordinates."""

    def __init__(self, window):
        _, _, width, _ = geometry(window)
        half = pixels(PICTURE) // 2
        close_left = width * TWIPS_PER_PIXEL - PICTURE - LAYOUT_MARGIN
        lamp_left = close_left - 2 * PICTURE
        self.search = (FRAME + pixels(SEARCH_LEFT) + half, FRAME + half)
        self.close = (FRAME + pixels(close_left) + half, FRAME + half)
        self.lamp = (FRAME + pixels(lamp_left) + half, FRAME + half)


def lamp_is_green(window, buttons):
    x0, y0, _, _ = geometry(window)
    x, y = x0 + buttons.lamp[0], y0 + buttons.lamp[1]
    red, green, _ = ImageGrab.grab(bbox=(x, y, x + 1, y + 1)).getpixel((0, 0))[:3]
    return green > red + 40


def wait_until_idle(reader, window, buttons, what):
    """Until no page is loading: the green ready lamp shows for a while."""
    since = [None]

    def idle():
        if not lamp_is_green(window, buttons):
            since[0] = None
            return False
        since[0] = since[0] or time.monotonic()
        return time.monotonic() - since[0] >= IDLE_SPELL
    wait_for(what, IDLE_TIMEOUT, idle, reader)


def click(window, point):
    xdotool("mousemove", "--window", window, *point)
    time.sleep(0.3)
    xdotool("click", "1")
    time.sleep(0.5)


def key(name):
    xdotool("key", "--clearmodifiers", name)


def expected_results(lexoria_search, appdir, query):
    with tempfile.TemporaryDirectory(prefix="lexoria-expected-") as scratch:
        copy = os.path.join(scratch, "app")
        shutil.copytree(appdir, copy, symlinks=True)
        subprocess.run([lexoria_search, "--write", copy, query], capture_output=True)
        path = os.path.join(copy, "found.html")
        if not os.path.exists(path):
            raise Failure(f"lexoria-search wrote no found.html for {query!r}")
        with open(path, "rb") as found:
            return found.read()


def wait_for_results(reader, found):
    def written():
        if not os.path.exists(found):
            return None
        with open(found, "rb") as first:
            content = first.read()
        time.sleep(0.2)
        with open(found, "rb") as second:
            return content if content and second.read() == content else None
    return wait_for("found.html", RESULTS_TIMEOUT, written, reader)


def search_by_enter(reader, window, buttons, found, query, expected):
    """Opens the panel, types the query, presses Enter, checks found.html."""
    click(window, buttons.search)
    xdotool("type", "--delay", "80", query)
    key("Return")
    content = wait_for_results(reader, found)
    if content != expected:
        raise Failure(f"found.html for {query!r} differs from lexoria-search's:\n"
                      f"  reader:   {content!r}\n  expected: {expected!r}")
    wait_until_idle(reader, window, buttons, f"the results page of {query!r}")


def assert_nothing_written(reader, found, what):
    time.sleep(SETTLE)
    if reader.poll() is not None:
        raise Failure(f"the reader ended with status {reader.returncode} after {what}")
    if os.path.exists(found):
        raise Failure(f"{what} wrote found.html")


def drive(reader, appdir, lexoria_search, found):
    window = wait_for_main_window(reader)
    buttons = Buttons(window)
    wait_until_idle(reader, window, buttons, "the home page")

    # Every query through the search box and Enter; the panel closes after
    # each, so Enter then does nothing.
    for query in QUERIES:
        expected = expected_results(lexoria_search, appdir, query)
        search_by_enter(reader, window, buttons, found, query, expected)
        os.remove(found)
        key("Return")
        assert_nothing_written(reader, found, f"Enter after the search for {query!r}")

    # Escape hides the panel, so Enter does nothing; the box keeps its text
    # for the next opening of the panel.
    query = "Društvo"
    expected = expected_results(lexoria_search, appdir, query)
    click(window, buttons.search)
    xdotool("type", "--delay", "80", query)
    key("Escape")
    key("Return")
    assert_nothing_written(reader, found, "Enter after Escape")
    click(window, buttons.search)
    key("Return")
    if wait_for_results(reader, found) != expected:
        raise Failure(f"found.html for the kept text {query!r} differs from lexoria-search's")
    wait_until_idle(reader, window, buttons, f"the results page of {query!r}")

    # The Close button ends the program.
    click(window, buttons.close)
    try:
        status = reader.wait(EXIT_TIMEOUT)
    except subprocess.TimeoutExpired:
        raise Failure(f"the reader still runs {EXIT_TIMEOUT} s after a click on the Close button")
    if status != 0:
        raise Failure(f"the reader ended with status {status} after a click on the Close button")


def keyboard_layout():
    query = subprocess.run(["setxkbmap", "-query"], capture_output=True, text=True, check=True)
    for line in query.stdout.splitlines():
        name, _, value = line.partition(":")
        if name == "layout":
            return value.strip()
    return "us"


def set_keyboard_layout(layout):
    subprocess.run(["setxkbmap", layout], check=True)


def save_screenshot():
    try:
        ImageGrab.grab().save(SCREENSHOT)
        print(f"screenshot: {os.path.abspath(SCREENSHOT)}", file=sys.stderr)
    except OSError as error:
        print(f"no screenshot: {error}", file=sys.stderr)


def main():
    if len(sys.argv) != 3:
        print("usage: drive_reader.py APPDIR LEXORIA_SEARCH", file=sys.stderr)
        return 2
    appdir, lexoria_search = sys.argv[1:]
    layout = keyboard_layout()
    set_keyboard_layout("si")
    try:
        return drive_copy(appdir, lexoria_search)
    finally:
        set_keyboard_layout(layout)


def drive_copy(appdir, lexoria_search):
    with tempfile.TemporaryDirectory(prefix="lexoria-e2e-") as scratch:
        copy = os.path.join(scratch, "app")
        shutil.copytree(appdir, copy, symlinks=True)
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
            save_screenshot()
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


if __name__ == "__main__":
    sys.exit(main())
