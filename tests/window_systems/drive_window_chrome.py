#!/usr/bin/python3
"""Sizes, moves, minimises and restores the real reader with real pointer events.

Usage: drive_window_chrome.py openbox|none APPDIR

Runs in an X server of its own (CTest starts it through xvfb-run), with
openbox as the window manager or with none. Each sizing-frame drag must grow
the window by the pointer's motion and leave its top-left corner in place,
also after the button is released and the pointer moves on; a drag of the
background must move the window by exactly the pointer's motion. Under
openbox the Minimise button minimises, and after a restore with the pointer
elsewhere no button is lit.
"""

import itertools
import os
import signal
import subprocess
import sys
import tempfile

from PIL import ImageGrab

from drive_reader import (Buttons, Failure, geometry, save_screenshot, wait_for, wait_for_main_window,
                          wait_until_idle, xdotool)

STEP_TIMEOUT = 30
BUTTON = 32
# The Back button and the Minimise button, in the window's own coordinates;
# the Minimise button moves with the right edge.
BACK = lambda width: (108, 4)
MINIMISE = lambda width: (width - 8 - 2 * BUTTON, 4)
# A point of the background between the caption label and the lamps.
BACKGROUND = lambda width, height: (width - 200, 33)

# What is grabbed (in the window's coordinates) and how far it is dragged.
FRAME_DRAGS = [
    ("right edge", lambda width, height: (width - 2, height // 2), (100, 0)),
    ("bottom edge", lambda width, height: (width // 2, height - 2), (0, 100)),
    ("bottom-right corner", lambda width, height: (width - 2, height - 2), (100, 100)),
]


def picture(window, corner):
    x, y, width, _ = geometry(window)
    left, top = corner(width)
    return ImageGrab.grab(bbox=(x + left, y + top, x + left + BUTTON, y + top + BUTTON)).tobytes()


def point_at(window, point):
    x, y, _, _ = geometry(window)
    xdotool("mousemove", x + point[0], y + point[1])


def drag(reader, window, grab, target, attempts=3):
    """Presses at the point grab(width, height) of the window and moves the
    pointer, to and fro by a pixel as a hand does, until the window stands at
    target; then releases. A window manager's resize sometimes ends at the
    first moves, which reach the window before the manager takes the pointer
    over: a hand would then take hold again, and so does this."""
    for _ in range(attempts):
        x, y, width, height = geometry(window)
        start = (x + grab(width, height)[0], y + grab(width, height)[1])
        end = (start[0] + target[0] + target[2] - x - width, start[1] + target[1] + target[3] - y - height)
        xdotool("mousemove", *start)
        xdotool("mousedown", "1")
        def reached():
            xdotool("mousemove", end[0] - 1, end[1] - 1)
            xdotool("mousemove", *end)
            return geometry(window) == target
        try:
            wait_for("the window to follow the pointer", STEP_TIMEOUT / attempts, reached, reader)
            return
        except Failure:
            pass  # expect_geometry says where the window went
        finally:
            xdotool("mouseup", "1")


def hover_until(reader, window, points, what, condition):
    """Moves the pointer to and fro between the points, as a real pointer
    does, until the condition holds: after a resize by the window manager the
    toolkit takes the first move for the end of the resize."""
    moves = itertools.cycle(points)
    def moved_and_holds():
        point_at(window, next(moves))
        return condition()
    wait_for(what, STEP_TIMEOUT, moved_and_holds, reader)


def sync(reader, window, normal_back):
    """Until the reader has handled every pointer event so far: the Back
    button lights under the pointer and goes out on the background."""
    _, _, width, height = geometry(window)
    back_x, back_y = BACK(width)
    background_x, background_y = BACKGROUND(width, height)
    hover_until(reader, window, [(back_x + 12, back_y + 12), (back_x + 16, back_y + 16)],
                "the Back button to light", lambda: picture(window, BACK) != normal_back)
    hover_until(reader, window, [(background_x, background_y), (background_x + 4, background_y)],
                "the Back button to go out", lambda: picture(window, BACK) == normal_back)


def expect_geometry(reader, window, expected, what):
    try:
        wait_for(what, STEP_TIMEOUT, lambda: geometry(window) == expected, reader)
    except Failure:
        raise Failure(f"{what}: the window stands at {geometry(window)}, not at {expected}")


def drive(reader, window_manager):
    window = wait_for_main_window(reader)
    wait_until_idle(reader, window, Buttons(window), "the home page")
    normal_back, normal_minimise = picture(window, BACK), picture(window, MINIMISE)
    for name, grab, motion in FRAME_DRAGS:
        x, y, width, height = geometry(window)
        expected = (x, y, width + motion[0], height + motion[1])
        drag(reader, window, grab, expected)
        sync(reader, window, normal_back)
        expect_geometry(reader, window, expected, f"a drag of the {name}")

    x, y, width, height = geometry(window)
    expected = (x + 50, y + 30, width, height)
    drag(reader, window, BACKGROUND, expected)
    sync(reader, window, normal_back)
    expect_geometry(reader, window, expected, "a drag of the background")

    if window_manager == "openbox":
        point_at(window, (MINIMISE(width)[0] + 16, 20))
        xdotool("click", "1")
        wait_for("the window to minimise", STEP_TIMEOUT,
                 lambda: "Iconic" in subprocess.run(["xprop", "-id", window, "WM_STATE"],
                                                    capture_output=True, text=True).stdout, reader)
        xdotool("mousemove", 1200, 1000)
        xdotool("windowactivate", window)
        wait_for("the restored window to show the Minimise button unlit", STEP_TIMEOUT,
                 lambda: picture(window, MINIMISE) == normal_minimise, reader)


def start_window_manager(name, log):
    if name == "none":
        return None
    manager = subprocess.Popen([name, "--sm-disable"], stdout=log, stderr=log)
    wait_for(f"{name} to manage the screen", STEP_TIMEOUT,
             lambda: "window id" in subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"],
                                                   capture_output=True, text=True).stdout, manager)
    return manager


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ("openbox", "none"):
        print("usage: drive_window_chrome.py openbox|none APPDIR", file=sys.stderr)
        return 2
    window_manager, appdir = sys.argv[1:]
    with tempfile.TemporaryFile() as log:
        manager = start_window_manager(window_manager, log)
        # Its own session, so that the web view's helper processes end with it.
        reader = subprocess.Popen([os.path.join(appdir, "lexoria")], stdout=log, stderr=log,
                                  start_new_session=True)
        try:
            drive(reader, window_manager)
        except Failure as failure:
            print(f"FAIL under {window_manager}: {failure}", file=sys.stderr)
            save_screenshot()
            log.seek(0)
            print(log.read().decode(errors="replace")[-3000:], file=sys.stderr)
            return 1
        finally:
            os.killpg(reader.pid, signal.SIGKILL)
            reader.wait()
            if manager:
                manager.kill()
                manager.wait()
    print(f"window chrome driven under {window_manager}: frame drags, background drag"
          + (", minimise and restore" if manager else ""))
    return 0


if __name__ == "__main__":
    sys.exit(main())
