#!/usr/bin/python3
# Usage: package_test.py BUILD_DIR LEXORIA_SEARCH, as root, in an X server that
# takes any client (xvfb-run -s -ac). Builds the Debian package, checks it,
# unpacks it with dpkg -x into a throw-away root and runs its lexoria command
# as the ordinary user "lexoria-test" with Chromium's sandbox on: the user's
# copy of the application directory must show the home page and get
# found.html for a typed search.
import contextlib, glob, os, pwd, subprocess, sys, tempfile  # noqa: E401

from drive_reader import Failure, Reader, run, running

USER, APP = "lexoria-test", "org.lexoria.Lexoria"
PACKED = ["bin/lexoria", "bin/lexoria-check", "share/man/man1/lexoria.1.gz", "share/doc/lexoria/copyright",
          f"share/applications/{APP}.desktop", f"share/metainfo/{APP}.metainfo.xml"] + [
          f"lib/lexoria/{name}" for name in ["lexoria", "slo.lng", "index.html", "Wlist.idx", "Skin/app.ico"]] + [
          f"share/icons/hicolor/{s}x{s}/apps/{APP}.png" for s in [16, 22, 24, 32, 48, 64, 128, 256]]


def build_and_unpack(build_dir, scratch, root):
    run("cpack", "-G", "DEB", "--config", f"{build_dir}/CPackConfig.cmake", "-B", f"{scratch}/deb")
    (deb,) = glob.glob(f"{scratch}/deb/lexoria_*.deb")
    listed = {line.split()[5] for line in run("dpkg-deb", "-c", deb).splitlines()}
    missing = [path for path in PACKED if f"./usr/{path}" not in listed]
    if missing or "./usr/lib/lexoria/found.html" in listed:
        raise Failure(f"the package lacks {missing} or holds a found.html")
    if "libqt6webenginewidgets6" not in run("dpkg-deb", "-f", deb, "Depends"):
        raise Failure("the package's dependencies were not worked out from the program")
    run("lintian", "--fail-on", "error", deb)
    run("dpkg-deb", "-x", deb, root)
    run("desktop-file-validate", f"{root}/usr/share/applications/{APP}.desktop")
    run("appstreamcli", "validate", "--no-net", f"{root}/usr/share/metainfo/{APP}.metainfo.xml")


def check_failed_copies(lexoria, user, scratch):
    # The copy into an unwritable or a full XDG_DATA_HOME fails, says so and
    # leaves nothing behind but its lock.
    cases = {"an unwritable home": f"{scratch}/readonly", "a full disc": f"{scratch}/full"}
    os.makedirs(cases["an unwritable home"], mode=0o555)
    os.makedirs(cases["a full disc"])
    if subprocess.run(["mount", "-t", "tmpfs", "-o", f"size=64k,uid={USER}", "tmpfs", cases["a full disc"]]).returncode:
        print("no tmpfs can be mounted here: the full disc is left untried")
        del cases["a full disc"]
    try:
        for what, data in cases.items():
            result = subprocess.run([*user, f"XDG_DATA_HOME={data}", lexoria], capture_output=True, text=True)
            left = [name for name in os.listdir(data) if name != ".lexoria.lock"]
            if result.returncode != 1 or "lexoria: cannot" not in result.stderr or left:
                raise Failure(f"{what}: status {result.returncode}, {result.stderr!r}, left {left}")
    finally:
        subprocess.run(["umount", f"{scratch}/full"], capture_output=True)


def sandboxed(pid, reader):
    # Only Chromium's sandbox puts a web view helper in a user namespace of its own.
    with contextlib.suppress(OSError), open(f"/proc/{pid}/cmdline", "rb") as cmdline:
        args = cmdline.read().split(b"\0")
        return b"QtWebEngineProcess" in args[0] and b"--no-sandbox" not in args and \
            os.readlink(f"/proc/{pid}/ns/user") != os.readlink(f"/proc/{reader.pid}/ns/user")


def main():
    build_dir, lexoria_search = sys.argv[1:]
    with tempfile.TemporaryDirectory(prefix="lexoria-package-") as scratch, tempfile.TemporaryFile() as log:
        os.chmod(scratch, 0o755)
        root, home = f"{scratch}/root", f"{scratch}/home"
        build_and_unpack(build_dir, scratch, root)
        # Fails harmlessly where an earlier run has added the user.
        subprocess.run(["useradd", "--no-create-home", "--shell", "/usr/sbin/nologin", USER], capture_output=True)
        account = pwd.getpwnam(USER)
        os.makedirs(home)
        os.chown(home, account.pw_uid, account.pw_gid)
        # What a desktop session hands the user's programs: no sandbox switch.
        user = ["setpriv", f"--reuid={USER}", f"--regid={account.pw_gid}", "--init-groups", "env", "-i", f"HOME={home}",
                f"DISPLAY={os.environ['DISPLAY']}", "PATH=/usr/bin:/bin", "QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu"]
        check_failed_copies(f"{root}/usr/bin/lexoria", user, scratch)
        with running([*user, f"{root}/usr/bin/lexoria"], log, "the installed reader") as process:
            reader = Reader(process)
            reader.wait_until_idle("the home page")
            if not any(sandboxed(pid, process) for pid in os.listdir("/proc") if pid.isdigit()):
                raise Failure("no web view helper runs in Chromium's sandbox")
            reader.search_by_enter("planinsko", f"{home}/.local/share/lexoria/found.html", lexoria_search,
                                   f"{root}/usr/lib/lexoria")
    print(f"package built, checked and unpacked; the installed reader searched as {USER}")


if __name__ == "__main__":
    main()
