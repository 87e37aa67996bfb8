#!/usr/bin/python3
# Orca, the screen reader, as a program to be heard without a sound card:
# speech-dispatcher speaks through its dummy module, and what Orca spoke is
# read back from Orca's debug file while it runs. The benchmark with a screen
# reader and the test that hears the reader start it this way; by hand,
#
#   tools/orca_speech.py DIR
#
# starts Orca with its settings in DIR and prints each line it speaks until
# interrupted, on the desktop's session bus, beside the reader.
import os, re, subprocess, sys, time  # noqa: E401

# Orca writes its debug file in blocks; run as it is, with that one file line
# by line.
LINE_BY_LINE = ("import builtins, runpy, sys; plain = builtins.open; "
                "builtins.open = lambda file, mode='r', *args, **kw: "
                "plain(file, mode, 1) if file == sys.argv[-1] else plain(file, mode, *args, **kw); "
                "runpy.run_path('/usr/bin/orca', run_name='__main__')")
SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*?)' ?\{", re.S)


def quiet_home(home):
    # Orca and speech-dispatcher read and write their settings and sockets
    # under home and nowhere else.
    os.environ.update({name: os.path.join(home, name.lower()) for name in
                       ("HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR")})
    os.makedirs(os.environ["XDG_RUNTIME_DIR"], mode=0o700)
    os.makedirs(os.path.join(os.environ["XDG_CONFIG_HOME"], "speech-dispatcher"))
    with open(os.path.join(os.environ["XDG_CONFIG_HOME"], "speech-dispatcher", "speechd.conf"), "w") as conf:
        # The dummy module still opens an audio device; ALSA's null device
        # takes its sound where the machine has none. Without one, version 0.12
        # falls back to a voice whose first utterance never ends, and Orca
        # waits on it for ever.
        conf.write('AddModule "dummy" "sd_dummy" ""\nDefaultModule dummy\n'
                   'AudioOutputMethod "alsa"\nAudioALSADevice "null"\n')


def start_orca(debug, output=subprocess.DEVNULL):
    # In a process group of its own, which kill_orca ends with speech-dispatcher.
    return subprocess.Popen(["/usr/bin/python3", "-c", LINE_BY_LINE, "-u", debug + ".settings", "--debug-file", debug],
                            stdout=output, stderr=subprocess.STDOUT, start_new_session=True)


def spoken(debug):
    # Every line Orca has spoken so far, its spaces evened out.
    try:
        with open(debug, encoding="utf-8", errors="replace") as text:
            return [" ".join(line.split()) for line in SPOKEN.findall(text.read())]
    except FileNotFoundError:
        return []


def kill_orca(orca):
    subprocess.run(["pkill", "--signal", "KILL", "--session", str(orca.pid)])
    orca.wait()


def main():
    home = os.path.abspath(sys.argv[1])
    quiet_home(home)
    debug = os.path.join(home, "orca.log")
    orca, told = start_orca(debug), 0
    try:
        while orca.poll() is None:
            lines = spoken(debug)
            for line in lines[told:]:
                print(line, flush=True)
            told = len(lines)
            time.sleep(0.5)
    except KeyboardInterrupt:
        pass
    finally:
        kill_orca(orca)


if __name__ == "__main__":
    main()
