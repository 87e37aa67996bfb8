#!/usr/bin/python3
# Drives the real reader with real pointer and key events through xdotool;
# drive_window_chrome.py and package_test.py drive it with these helpers too.
# Usage: drive_reader.py APPDIR LEXORIA_SEARCH, in an X server (DISPLAY). The
# reader runs on a copy of the application directory; lexoria-search --write on
# a second copy gives the found.html each typed query must produce.
import contextlib, os, shutil, subprocess, sys, tempfile, time  # noqa: E401

from PIL import ImageChops, ImageGrab

# The window design in twips, 15 to a logical pixel, inside a 4-pixel frame:
# the Search button; Home at the left edge; the ready lamp two pictures and
# Help three left of Close.
FRAME, PICTURE, MARGIN, SEARCH_LEFT = 4, 480, 120, 2640
# Capitals, č š ž in either case, punctuation and runs of spaces; the last
# finds nothing.
QUERIES = ["  Oskrbnik  KOČE, ", "Župan:", "planinsko DRUŠTVO", "Šotorišče,   žičnica?"]
CARONS = ["ccaron Ccaron", "scaron Scaron", "zcaron Zcaron"]
# How long Enter is held down in a failure box: tapped, and held until it
# repeats.
BOX_ENTER_HOLDS = [0.15, 1.2]


# The exit status by which a test steps aside where the machine lacks what it
# needs (CTest's SKIP_RETURN_CODE).
SKIPPED = 77


class Failure(Exception):
    pass


def skip(why):
    print(f"skipped: {why}")
    sys.exit(SKIPPED)


def run(*command):
    result = subprocess.run([str(arg) for arg in command], capture_output=True, text=True)
    if result.returncode != 0:
        raise Failure(f"{' '.join(result.args)} failed:\n{result.stdout}{result.stderr}")
    return result.stdout


def wait_for(what, timeout, condition, process):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if process.poll() is not None:
            raise Failure(f"{process.args[0]} ended with status {process.returncode} while waiting for {what}")
        if value := condition():
            return value
        time.sleep(0.25)
    raise Failure(f"gave up waiting for {what} after {timeout} s")


def hold_x_server():
    # A client that stays connected, or the X server resets the keyboard map
    # as the last one leaves; xprop -spy prints once it has connected. A busy
    # server sometimes refuses a connection: the map must not be changed
    # before one holds.
    for _ in range(20):
        holder = subprocess.Popen(["xprop", "-root", "-spy", "WM_NAME"], stdout=subprocess.PIPE,
                                  stderr=subprocess.PIPE, text=True)
        if holder.stdout.readline():
            return holder
        holder.wait()
        time.sleep(0.5)
    raise Failure(f"no client could hold the X server: {holder.stderr.read()}")


@contextlib.contextmanager
def caron_keys():
    # Binds č, š and ž to keycodes with no keysym until the end, so that
    # xdotool types them with keys of the map: a key it remaps for a moment may
    # reach the reader before the reader has seen the new mapping.
    holder = hold_x_server()
    spare = [line.split()[1] for line in run("xmodmap", "-pke").splitlines()
             if line.rstrip().endswith("=") and int(line.split()[1]) > 8][:len(CARONS)]
    if len(spare) < len(CARONS):
        holder.kill()
        skip("the X server's keyboard map has no spare keycodes for č, š and ž")
    run("xmodmap", *[arg for code, syms in zip(spare, CARONS) for arg in ("-e", f"keycode {code} = {syms}")])
    try:
        yield
    finally:
        run("xmodmap", *[arg for code in spare for arg in ("-e", f"keycode {code} =")])
        holder.kill()
        holder.wait()


@contextlib.contextmanager
def running(command, log, what):
    # The reader in a session of its own, so that the web view's helpers end
    # with it; a Failure is reported with a screenshot and the reader's output.
    process = subprocess.Popen(command, stdout=log, stderr=subprocess.STDOUT, start_new_session=True)
    try:
        yield process
    except Failure as failure:
        ImageGrab.grab().save(f"{os.path.basename(sys.argv[0])}_failure.png")
        log.seek(0)
        sys.exit(f"FAIL {what}: {failure}\nthe reader's output:\n{log.read().decode(errors='replace')[-3000:]}")
    finally:
        subprocess.run(["pkill", "--signal", "KILL", "--session", str(process.pid)])
        process.wait()


class Reader:
    # The main window, once start-up has shown it and hidden the splash "Form2".
    def __init__(self, process):
        self.process = process

        def shown():
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(process.pid)],
                                   capture_output=True, text=True).stdout.split()
            return found[0] if found and all("Form2" not in run("xdotool", "getwindowname", w) for w in found) else None
        self.id = wait_for("the main window", 90, shown, process)
        half, close_left = PICTURE // 30, self.geometry()[2] * 15 - PICTURE - MARGIN
        self.search = (FRAME + SEARCH_LEFT // 15 + half, FRAME + half)
        self.home = (FRAME + half, FRAME + half)
        self.help = (FRAME + (close_left - 3 * PICTURE) // 15 + half, FRAME + half)
        self.close = (FRAME + close_left // 15 + half, FRAME + half)
        self.lamp = (FRAME + (close_left - 2 * PICTURE) // 15 + half, FRAME + half)

    def geometry(self):
        values = dict(line.split("=", 1) for line in run("xdotool", "getwindowgeometry", "--shell", self.id).split())
        return tuple(int(values[key]) for key in ("X", "Y", "WIDTH", "HEIGHT"))

    def click(self, point):
        run("xdotool", "mousemove", "--window", self.id, *point, "sleep", "0.3", "click", "1", "sleep", "0.5")

    def wait_until_idle(self, what):
        # Until no page is loading: the green ready lamp shows for 1.5 s.
        since = []

        def idle():
            x, y, _, _ = self.geometry()
            red, green, _ = ImageGrab.grab().getpixel((x + self.lamp[0], y + self.lamp[1]))[:3]
            since[:] = (since or [time.monotonic()]) if green > red + 40 else []
            return since and time.monotonic() - since[0] >= 1.5
        wait_for(what, 60, idle, self.process)

    def search_by_enter(self, query, found, lexoria_search, appdir, typed=True, then=None, keep=False):
        # Enter on the search panel, with the query typed or kept in the box,
        # must write found.html equal to lexoria-search's on a copy of appdir,
        # and show it. With then, the panel is opened at once once it is
        # written, while the results page opens and takes the focus, and then
        # typed: none of its letters may be lost.
        for query in [query] + ([then] if then else []):
            with tempfile.TemporaryDirectory(prefix="lexoria-expected-") as scratch:
                copy = shutil.copytree(appdir, os.path.join(scratch, "app"), symlinks=True)
                subprocess.run([lexoria_search, "--write", copy, query], capture_output=True)
                with open(os.path.join(copy, "found.html"), "rb") as written:
                    expected = written.read()
            run("xdotool", "mousemove", "--window", self.id, *self.search, "click", "1")
            run("xdotool", *(["type", "--delay", "80", query] if typed else ["sleep", "0"]))
            run("xdotool", "key", "--clearmodifiers", "Return")

            def same():
                with contextlib.suppress(FileNotFoundError), open(found, "rb") as written:
                    return written.read() == expected
            wait_for(f"found.html for {query!r} to equal lexoria-search's", 30, same, self.process)
        self.wait_until_idle(f"the results page of {query!r}")
        if not keep:
            os.remove(found)

    def view(self):
        # The web view's part of the window, below the buttons and the lamps.
        x, y, width, height = self.geometry()
        return ImageGrab.grab((x + FRAME, y + FRAME + PICTURE // 15 + 8, x + width - FRAME, y + height - FRAME))

    def keys_show(self, keys, what, expected):
        # The page shown once more, but for a focus ring or a caret: the pages
        # told apart here differ in far more than 2 % of the view.
        run("xdotool", *keys)

        def same():
            differing = ImageChops.difference(self.view().convert("RGB"), expected.convert("RGB")).convert("L")
            return sum(differing.point(lambda v: 255 if v > 32 else 0).histogram()[255:]) < 0.02 * differing.width * differing.height
        wait_for(what, 30, same, self.process)

    def history_at_once_after_a_hit(self, query, found, lexoria_search, appdir, log):
        # A hit opened from the results (Tab to its link, Enter) scrolls to its
        # anchor and marks the page, steps within the page; Back, Help and Home
        # after it show their pages, and no wait of the view runs out its deadline.
        shown = {}
        for page, button in (("help", self.help), ("home", self.home)):
            self.click(button)
            self.wait_until_idle(f"the {page} page")
            shown[page] = self.view()
        self.search_by_enter(query, found, lexoria_search, appdir, keep=True)  # Back reads it again
        results, hit = self.view(), ["key", "--clearmodifiers", "Tab", "Return", "sleep", "0.5"]
        self.keys_show(hit + ["key", "--clearmodifiers", "alt+Left"], "Alt+Left at once after a hit", results)
        self.keys_show(["key", "--clearmodifiers", "F1"], "F1 after it", shown["help"])
        self.keys_show(["key", "--clearmodifiers", "alt+Left"], "Alt+Left again", results)
        self.keys_show(hit + ["mousemove", "--window", self.id, *self.home, "click", "1"], "Home after a hit", shown["home"])
        if b"the view gave up waiting" in os.pread(log.fileno(), os.fstat(log.fileno()).st_size, 0):
            raise Failure("a wait of the view ran out its deadline")

    def boxes(self):
        # The reader's visible windows but the main one: its dialogs and message boxes.
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(self.process.pid)],
                               capture_output=True, text=True).stdout.split()
        return [window for window in found if window != self.id]

    def failure_box_closed_by_enter(self, found, log):
        # A search that cannot write found.html (a folder in its place) says
        # so in a box. Enter closes the box on its press; its release, the
        # repeated presses of a held Enter included, must not reach the search
        # panel as Enter, or the failed search runs again and the box comes
        # back. Enter in the search box still searches afterwards.
        def failures():
            return os.pread(log.fileno(), os.fstat(log.fileno()).st_size, 0).count(b"lexoria: ")
        earlier = failures()
        os.mkdir(found)
        for shown, hold in enumerate(BOX_ENTER_HOLDS, 1):
            self.click(self.search)
            if shown == 1:
                run("xdotool", "type", "--delay", "80", "Oskrbnik")
            run("xdotool", "keydown", "Return", "sleep", "0.15", "keyup", "Return")
            wait_for("the failure box", 30, self.boxes, self.process)
            run("xdotool", "keydown", "Return", "sleep", hold, "keyup", "Return")
            self.wait_until_idle(f"the failure box closed by Enter held {hold} s to stay closed")
            if self.boxes() or failures() - earlier != shown:
                raise Failure(f"after Enter held {hold} s in the box: {failures() - earlier} failures, boxes {self.boxes()}")
        os.rmdir(found)
        self.click(self.search)
        run("xdotool", "key", "--clearmodifiers", "Return")
        wait_for("found.html written by Enter after the failure box", 30, lambda: os.path.isfile(found), self.process)

    def expect_nothing_after(self, what, found, *keys):
        # Keys that must do nothing are given 4 s to do something all the same.
        run("xdotool", "key", "--clearmodifiers", *keys, "sleep", "4")
        if self.process.poll() is not None or os.path.exists(found):
            raise Failure(f"{what} wrote found.html or ended the reader")


def main():
    appdir, lexoria_search = sys.argv[1:3]
    # xdotool reads the typed text through the locale: where LC_ALL names C or
    # a locale the system lacks (a container given the host's), č, š and ž
    # cannot be typed. The C library always holds C.UTF-8.
    os.environ["LC_ALL"] = "C.UTF-8"
    with tempfile.TemporaryDirectory(prefix="lexoria-e2e-") as scratch, tempfile.TemporaryFile() as log, \
            caron_keys():
        copy = shutil.copytree(appdir, os.path.join(scratch, "app"), symlinks=True,
                               ignore=shutil.ignore_patterns("found.html"))
        found = os.path.join(copy, "found.html")
        with running([os.path.join(copy, "lexoria")], log, "driving the reader") as process:
            reader = Reader(process)
            reader.wait_until_idle("the home page")
            # After each search the panel is closed, so Enter does nothing.
            for query in QUERIES:
                reader.search_by_enter(query, found, lexoria_search, appdir)
                reader.expect_nothing_after(f"Enter after the search for {query!r}", found, "Return")
            # Escape hides the panel; the box keeps its text for the next opening.
            reader.click(reader.search)
            run("xdotool", "type", "--delay", "80", "Društvo")
            reader.expect_nothing_after("Enter after Escape", found, "Escape", "Return")
            reader.search_by_enter("Društvo", found, lexoria_search, appdir, typed=False)
            reader.search_by_enter("Oskrbnik", found, lexoria_search, appdir, then="čuvaj koče")
            reader.history_at_once_after_a_hit("Oskrbnik", found, lexoria_search, appdir, log)
            reader.click(reader.close)
            with contextlib.suppress(subprocess.TimeoutExpired):
                process.wait(30)
            if process.returncode != 0:
                raise Failure(f"the reader ended with status {process.returncode} or still runs 30 s after Close")
    print("reader driven: searches by Enter, a query typed at once after one, history after a hit, Escape, Close")


if __name__ == "__main__":
    main()
