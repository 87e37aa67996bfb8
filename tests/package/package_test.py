#!/usr/bin/python3
# Usage: package_test.py BUILD_DIR LEXORIA_SEARCH, as root, in an X server that
# takes any client (xvfb-run -s -ac). Builds the Debian package of the build and
# then, in the same build folder reconfigured for a statute the test writes and
# back again, a second package without compiling anything; checks both, installs
# them side by side with dpkg into a throw-away root and runs each lexoria
# command as the ordinary user "lexoria-test": each must show its home page and
# write found.html into its own copy for a typed search of a word only its own
# statute holds, the second must
# still start once the first is removed, and the web view's helpers must run
# in Chromium's sandbox where the machine gives the user user namespaces.
# Exit status 77 when all that passed but the sandbox could not be checked.
import contextlib, glob, os, pwd, re, subprocess, sys, tempfile  # noqa: E401
from xml.etree import ElementTree

from drive_reader import Failure, Reader, run, running

USER, SKIPPED = "lexoria-test", 77
# The package of the build's own statute, and the one this test builds with its
# name, its application id and a word planted in its statute only.
FIRST = ("lexoria", "org.lexoria.Lexoria", "odpovedni")
SECOND = ("zakon-test", "org.lexoria.Lexoria.zakon_test", "xilofon")
# The second publisher's site, with an ampersand the AppStream file must escape.
HOMEPAGE = "https://zakon.example.org/?statute=1&page=2"
PACKED = ["bin/lexoria", "bin/lexoria-check", "share/man/man1/lexoria.1.gz", "share/doc/lexoria/copyright",
          "share/lexoria/apparmor-profile", f"share/applications/{FIRST[1]}.desktop", f"share/metainfo/{FIRST[1]}.metainfo.xml",
          *[f"lib/lexoria/{name}" for name in ["lexoria", "slo.lng", "index.html", "Wlist.idx", "Skin/app.ico"]],
          *[f"share/icons/hicolor/{s}x{s}/apps/{FIRST[1]}.png" for s in [16, 22, 24, 32, 48, 64, 128, 256]]]


def cpack(build_dir, scratch, name):
    run("cpack", "-G", "DEB", "--config", f"{build_dir}/CPackConfig.cmake", "-B", f"{scratch}/deb")
    return glob.glob(f"{scratch}/deb/{name}_*.deb")[0]


def build_packages(build_dir, scratch):
    # The second statute lies in the build folder, so that an interrupted run
    # leaves a folder that still configures; it holds a results page and its
    # temporary file, which its package must leave out.
    first = cpack(build_dir, scratch, FIRST[0])
    was = re.findall(r"^(LEXORIA_(?:STATUTE|PACKAGE_NAME|DISPLAY_NAME|HOMEPAGE)):\w+=(.*)$", open(f"{build_dir}/CMakeCache.txt").read(), re.M)
    statute = f"{build_dir}/tests/package/second_statute"
    run(sys.executable, f"{os.path.dirname(__file__)}/../../tools/make_statute.py", statute, "--pages", "4", "--page-bytes", "3000",
        "--plant", f"{SECOND[2]}=2,3")
    for leftover in ["found.html", "found.html.partial-Ab12Cd"]:
        open(f"{statute}/{leftover}", "w").close()
    try:
        run("cmake", f"-DLEXORIA_STATUTE={statute}", f"-DLEXORIA_PACKAGE_NAME={SECOND[0]}", "-DLEXORIA_DISPLAY_NAME=",
            f"-DLEXORIA_HOMEPAGE={HOMEPAGE}", build_dir)
        built = run("cmake", "--build", build_dir)
        if "Building CXX" in built or "Linking CXX" in built:
            raise Failure(f"another statute and name compiled the program again:\n{built}")
        return first, cpack(build_dir, scratch, SECOND[0])
    finally:
        run("cmake", *[f"-D{key}={value}" for key, value in was], build_dir)
        run("cmake", "--build", build_dir)


def check_package(deb, scratch, name, app_id):
    listed = {line.split()[5] for line in run("dpkg-deb", "-c", deb).splitlines()}
    expected = PACKED if name == FIRST[0] else [f"bin/{name}", f"lib/{name}/lexoria", f"lib/{name}/vsebina.html"]
    missing = [path for path in expected if f"./usr/{path}" not in listed]
    # lexoria-check comes only with the first, so that the two never hold the same file.
    unwanted = [path for path in listed if "/found.html" in path or (path == "./usr/bin/lexoria-check" and name != FIRST[0])]
    if missing or unwanted:
        raise Failure(f"{name}: the package lacks {missing} or holds {unwanted}")
    if "libqt6webenginewidgets6" not in run("dpkg-deb", "-f", deb, "Depends"):
        raise Failure("the package's dependencies were not worked out from the program")
    run("lintian", "--fail-on", "error", deb)
    run("dpkg-deb", "-x", deb, unpacked := f"{scratch}/unpacked-{name}")
    run("desktop-file-validate", f"{unpacked}/usr/share/applications/{app_id}.desktop")
    run("appstreamcli", "validate", "--no-net", metainfo := f"{unpacked}/usr/share/metainfo/{app_id}.metainfo.xml")
    homepages = {run("dpkg-deb", "-f", deb, "Homepage").strip(), ElementTree.parse(metainfo).findtext("url")}
    if name == SECOND[0] and homepages != {HOMEPAGE}:
        raise Failure(f"{name}: the homepages {homepages} instead of {HOMEPAGE}")


def dpkg(root, *args):
    # The throw-away root has none of the libraries the packages depend on, and
    # the maintainer scripts run outside it, in DPKG_ROOT.
    run("dpkg", f"--root={root}", "--force-depends", "--force-script-chrootless", *args)


def check_apparmor_profiles(root, expected):
    if (found := sorted(set(os.listdir(f"{root}/etc/apparmor.d")) - {"abi"})) != expected:
        raise Failure(f"AppArmor profiles {found} instead of {expected}")


def sandboxed(pid, reader):
    # Only Chromium's sandbox puts a web view helper in a user namespace of its own.
    with contextlib.suppress(OSError), open(f"/proc/{pid}/cmdline", "rb") as cmdline:
        args = cmdline.read().split(b"\0")
        return b"QtWebEngineProcess" in args[0] and b"--no-sandbox" not in args and os.readlink(f"/proc/{pid}/ns/user") != \
            os.readlink(f"/proc/{reader.pid}/ns/user")


def start_reader(root, home, package, user, sandbox, log, lexoria_search=None):
    # Starts the package's command and waits for its home page; with
    # lexoria_search, searches for the package's own word, which only its own
    # statute holds, and finds the results in its own copy.
    name, _, word = package
    with running([*user, f"{root}/usr/bin/{name}"], log, f"the installed {name}") as process:
        reader = Reader(process)
        reader.wait_until_idle(f"the home page of {name}")
        if sandbox and not any(sandboxed(pid, process) for pid in os.listdir("/proc") if pid.isdigit()):
            raise Failure(f"no web view helper of {name} runs in Chromium's sandbox")
        if lexoria_search:
            reader.search_by_enter(word, f"{home}/.local/share/{name}/found.html", lexoria_search, f"{root}/usr/lib/{name}")


def main():
    build_dir, lexoria_search = sys.argv[1:]
    with tempfile.TemporaryDirectory(prefix="lexoria-package-") as scratch, tempfile.TemporaryFile() as log:
        os.chmod(scratch, 0o755)
        root, home = f"{scratch}/root", f"{scratch}/home"
        debs = build_packages(build_dir, scratch)
        for deb, (name, app_id, _) in zip(debs, [FIRST, SECOND]):
            check_package(deb, scratch, name, app_id)
        # The first goes where AppArmor knows no ABI 4.0, as on Debian 12; the
        # second where it does.
        os.makedirs(f"{root}/var/lib/dpkg/updates")
        open(f"{root}/var/lib/dpkg/status", "w").close()
        dpkg(root, "--install", debs[0])
        os.makedirs(f"{root}/etc/apparmor.d/abi")
        open(f"{root}/etc/apparmor.d/abi/4.0", "w").close()
        dpkg(root, "--install", debs[1])
        check_apparmor_profiles(root, [f"lexoria_{SECOND[0]}"])
        # Fails harmlessly where an earlier run has added the user.
        subprocess.run(["useradd", "--no-create-home", "--shell", "/usr/sbin/nologin", USER], capture_output=True)
        account = pwd.getpwnam(USER)
        os.makedirs(home)
        os.chown(home, account.pw_uid, account.pw_gid)
        # What a desktop session hands the user's programs: no sandbox switch.
        user = ["setpriv", f"--reuid={USER}", f"--regid={account.pw_gid}", "--init-groups", "env", "-i", f"HOME={home}",
                f"DISPLAY={os.environ['DISPLAY']}", "PATH=/usr/bin:/bin", "QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu"]
        sandbox = subprocess.run([*user, "unshare", "--user", "true"], capture_output=True).returncode == 0
        if not sandbox:
            print(f"the machine gives {USER} no user namespaces: the readers run without Chromium's sandbox")
            user.append("QTWEBENGINE_DISABLE_SANDBOX=1")
        for package in [FIRST, SECOND]:
            start_reader(root, home, package, user, sandbox, log, lexoria_search)
        dpkg(root, "--remove", FIRST[0])
        start_reader(root, home, SECOND, user, sandbox, log)
        dpkg(root, "--remove", SECOND[0])
        check_apparmor_profiles(root, [])
    print(f"two packages built, checked, installed side by side and removed; each reader searched as {USER}")
    if not sandbox:
        sys.exit(SKIPPED)


if __name__ == "__main__":
    main()
