#!/usr/bin/python3
# Runs a benchmark as a screen reader user would: on a session bus of its own
# whose accessibility bus says a screen reader is on, with a listener that
# reads the whole accessibility tree of every application, over and over,
# while the benchmark runs. Prints the largest tree it read.
#
#   bench/with_screen_reader.py [--nobody-listening | --orca] COMMAND...
#
# With --nobody-listening the bus is there but says no assistive technology
# is on (IsEnabled and ScreenReaderEnabled false), and nothing reads it: what
# a desktop without assistive technology offers where its toolkit
# accessibility is off (Debian turns it on by default: IsEnabled then stays
# true and Qt's accessibility is active, assistive technology or not).
# With --orca, Orca runs as started by hand (the desktop's screen-reader
# switch off), speaking through speech-dispatcher's dummy module.
# Needs dbus-run-session, at-spi2-core and python3-pyatspi; orca and
# speech-dispatcher for --orca, which also needs an X display (xvfb-run -a).
import os, shutil, subprocess, sys, tempfile, time  # noqa: E401

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
from orca_speech import kill_orca, quiet_home, spoken, start_orca  # noqa: E402

OWN_BUS = "LEXORIA_BENCH_OWN_BUS"


def tree_size(node, depth=0):
    # Objects below node, each read as a screen reader reads it: role, name
    # and states.
    if node is None or depth > 60:
        return 0
    try:
        node.get_role(), node.get_name(), node.get_state_set()
        return 1 + sum(tree_size(node.get_child_at_index(i), depth + 1) for i in range(node.get_child_count()))
    except Exception:  # an object that went away while it was read
        return 0


def set_status(name, on):
    subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                    "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status", f"string:{name}",
                    f"variant:boolean:{'true' if on else 'false'}"], check=True, capture_output=True)


def main():
    mode = sys.argv[1] if sys.argv[1] in ("--nobody-listening", "--orca") else None
    listening = mode is None
    command = sys.argv[1 if listening else 2:]
    if not os.environ.get(OWN_BUS):
        os.execvpe("dbus-run-session", ["dbus-run-session", "--", sys.executable, *sys.argv],
                   {**os.environ, OWN_BUS: "1"})
    # A client holds the X server meanwhile: the accessibility bus connects
    # to it and leaves, and a server left by its last client resets and
    # refuses the next program for a moment.
    holder = os.environ.get("DISPLAY") and subprocess.Popen(["xprop", "-root", "-spy", "WM_NAME"],
                                                            stdout=subprocess.PIPE)
    if holder:
        holder.stdout.readline()
    set_status("ScreenReaderEnabled", listening)
    if mode == "--nobody-listening":
        set_status("IsEnabled", False)
    orca = None
    if mode == "--orca":
        home = tempfile.mkdtemp(prefix="lexoria-bench-orca-")
        quiet_home(home)
        orca = start_orca(os.path.join(home, "orca.log"))
        while not spoken(os.path.join(home, "orca.log")):
            if orca.poll() is not None:
                sys.exit(f"Orca ended before it spoke (it needs an X display); its log: {home}/orca.log")
            time.sleep(0.5)
    benchmark = subprocess.Popen(command)
    largest = 0
    if listening:
        import gi
        gi.require_version("Atspi", "2.0")
        from gi.repository import Atspi
        desktop = Atspi.get_desktop(0)
        desktop.set_cache_mask(Atspi.Cache.NONE)
        while benchmark.poll() is None:
            largest = max(largest, tree_size(desktop))
            time.sleep(0.2)
    benchmark.wait()
    if orca:
        kill_orca(orca)
        shutil.rmtree(home)
    if holder:
        holder.kill()
    if listening:
        print(f"listener: read up to {largest} accessible objects at once")
    sys.exit(benchmark.returncode)


if __name__ == "__main__":
    main()
