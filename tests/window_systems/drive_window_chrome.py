#!/usr/bin/python3
# Sizes, moves, minimises and restores the real reader with real pointer
# events, and opens and closes its dialogs with keys alone.
# Usage: drive_window_chrome.py openbox|none APPDIR, in an X server of its own.
# Each frame drag must grow the window by the pointer's motion and leave its
# top-left corner in place, also once the pointer moves on; a drag of the
# background must move the window by the pointer's motion. Under openbox the
# Minimise button minimises, and after a restore no button is lit. Enter
# that closes a failure box never runs the failed search again. Once the
# dialogs opened and closed by keys have gone, F1 must show the help page.
import contextlib, itertools, os, shutil, subprocess, sys, tempfile  # noqa: E401

from PIL import ImageGrab

from drive_reader import Failure, Reader, run, running, skip, wait_for

# The Back and Minimise buttons (32 pixels square) and a point of the
# background, in the window's coordinates from its width and height.
BUTTON, BACK, MINIMISE = 32, lambda width: (108, 4), lambda width: (width - 72, 4)
BACKGROUND = lambda width, height: (width - 200, 33)
# The point dragged, how far, and whether the window moves (or grows).
DRAGS = [("right edge", lambda width, height: (width - 2, height // 2), (100, 0), False),
         ("bottom edge", lambda width, height: (width // 2, height - 2), (0, 100), False),
         ("bottom-right corner", lambda width, height: (width - 2, height - 2), (100, 100), False),
         ("background", BACKGROUND, (50, 30), True)]
# Keys that open dialogs and close them, each with whether a dialog shows
# after it: the print dialog, and the failure box of a search whose results
# cannot be written; then F1 must show the help page.
KEYS = [("ctrl+p", True), ("Escape", False), ("ctrl+f", False), ("k", False), ("Return", True), ("Escape", False)]


def picture(reader, corner):
    x, y, width, _ = reader.geometry()
    left, top = corner(width)
    return ImageGrab.grab(bbox=(x + left, y + top, x + left + BUTTON, y + top + BUTTON)).tobytes()


def until(reader, what, condition, point=None):
    # Until the condition holds, moving the pointer to and fro by 4 pixels at
    # a point of the window, as a hand does: after a window manager's resize
    # the toolkit takes the first move for the end of the resize.
    moves = itertools.cycle([point, point and (point[0] + 4, point[1])])

    def moved_and_holds():
        if move := next(moves):
            run("xdotool", "mousemove", reader.geometry()[0] + move[0], reader.geometry()[1] + move[1])
        return condition()
    wait_for(what, 30, moved_and_holds, reader.process)


def drag(reader, name, grab, target):
    # Presses at grab and moves the pointer to and fro by a pixel until the
    # window stands at target. A window manager's resize sometimes ends at the
    # first moves, before it takes the pointer over: a hand would then take
    # hold again, and so does this, up to three times.
    for _ in range(3):
        x, y, width, height = reader.geometry()
        start = (x + grab(width, height)[0], y + grab(width, height)[1])
        end = (start[0] + target[0] + target[2] - x - width, start[1] + target[1] + target[3] - y - height)
        run("xdotool", "mousemove", *start, "mousedown", "1")

        def reached():
            run("xdotool", "mousemove", end[0] - 1, end[1] - 1, "mousemove", *end)
            return reader.geometry() == target
        try:
            return wait_for(f"a drag of the {name} to take the window to {target}", 10, reached, reader.process)
        except Failure:
            pass
        finally:
            run("xdotool", "mouseup", "1")
    # The check after the drag fails on this; where the window stood says why.
    print(f"three drags of the {name} left the window at {reader.geometry()}, not at {target}", file=sys.stderr)


def view(reader):
    # The content frame "T", right of the contents frame, below the toolbar.
    x, y, width, height = reader.geometry()
    return ImageGrab.grab(bbox=(x + width // 2, y + 60, x + width - 24, y + height - 24)).tobytes()


def keys_then_help(reader):
    # With the pointer away from the window, so that only the keyboard focus
    # takes the keys to the reader. A dialog is shown (mapped) before it holds
    # the keyboard focus: without a window manager the toolkit gives it the
    # focus only once the X server has mapped it, and a key sent in between
    # goes to the main window, which the dialog blocks, and is lost. So a key
    # for the dialog waits until the dialog holds the focus, as a person sees
    # it before typing.
    run("xdotool", "mousemove", 1270, 1010)
    home = view(reader)
    for key, dialog in KEYS:
        run("xdotool", "key", key)

        def settled():
            boxes = reader.boxes()
            focus = subprocess.run(["xdotool", "getwindowfocus", "-f"], capture_output=True, text=True).stdout.strip()
            return not boxes if not dialog else focus in boxes
        until(reader, f"{key} to {'open the dialog, which then holds the focus' if dialog else 'close the dialog'}", settled)
    run("xdotool", "key", "F1")
    until(reader, f"F1 after {', '.join(key for key, _ in KEYS)} to show the help page", lambda: view(reader) != home)


def drive(reader, window_manager):
    reader.wait_until_idle("the home page")
    normal_back, normal_minimise = picture(reader, BACK), picture(reader, MINIMISE)
    for name, grab, motion, moves in DRAGS:
        x, y, width, height = reader.geometry()
        expected = (x + motion[0], y + motion[1], width, height) if moves else \
            (x, y, width + motion[0], height + motion[1])
        drag(reader, name, grab, expected)
        # Once the reader has handled every pointer event so far, the Back
        # button lights under the pointer and goes out on the background.
        width, height = reader.geometry()[2:]
        until(reader, "the Back button to light", lambda: picture(reader, BACK) != normal_back, (120, 16))
        until(reader, "the Back button to go out", lambda: picture(reader, BACK) == normal_back,
              BACKGROUND(width, height))
        until(reader, f"a drag of the {name} to leave the window at {expected}", lambda: reader.geometry() == expected)
    if window_manager == "openbox":
        reader.click((MINIMISE(reader.geometry()[2])[0] + 16, 20))
        until(reader, "the window to minimise", lambda: "Iconic" in run("xprop", "-id", reader.id, "WM_STATE"))
        run("xdotool", "mousemove", 1200, 1000, "windowactivate", reader.id)
        until(reader, "the restored window to show the Minimise button unlit",
              lambda: picture(reader, MINIMISE) == normal_minimise)


def main():
    window_manager, appdir = sys.argv[1:3]
    with tempfile.TemporaryDirectory(prefix="lexoria-chrome-") as scratch, tempfile.TemporaryFile() as log, \
            contextlib.nullcontext() if window_manager == "none" else \
            running([window_manager, "--sm-disable"], log, f"starting {window_manager}") as manager:
        copy = shutil.copytree(appdir, os.path.join(scratch, "app"), symlinks=True,
                               ignore=shutil.ignore_patterns("found.html"))
        found = os.path.join(copy, "found.html")
        if manager:
            # A window manager that cannot start here is the machine's limit,
            # not the reader's fault.
            try:
                wait_for(f"{window_manager} to manage the screen", 30,
                         lambda: "window id" in run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK"), manager)
            except Failure as failure:
                log.seek(0)
                skip(f"{failure}: {log.read().decode(errors='replace')[-500:]}")
        with running([os.path.join(copy, "lexoria")], log, f"under {window_manager}") as process:
            reader = Reader(process)
            drive(reader, window_manager)
            # A results page that cannot be written: the search of the keys ends in a failure box.
            os.mkdir(found)
            keys_then_help(reader)
            os.rmdir(found)
            reader.failure_box_closed_by_enter(found, log)
    print(f"window chrome driven under {window_manager}")


if __name__ == "__main__":
    main()
