#!/usr/bin/python3
# Usage: scripts_test.py launcher|maintainer PACKAGING_DIR. Runs the package's
# shell scripts over stand-in roots.
#
# launcher: the launcher over an installed directory listed as the package
# lists it, with a program that notes the path it was started by; the user's
# copy must be made anew whenever it is wrong, and then once, and a copy that
# cannot be made is reported and leaves nothing behind.
#
# maintainer: the AppArmor profile and maintainer scripts of packages named
# like AppArmor's folders, like the bundled package and like another
# package's profile, run as dpkg does over a throw-away root (DPKG_ROOT) where
# AppArmor knows ABI 4.0 and an earlier package of the name left its profile.
# The upgrade installs the profile under our prefix and removes the earlier
# one only where it is ours; remove and purge leave the root as it was.
import os, shutil, subprocess, sys, tempfile  # noqa: E401
from pathlib import Path


def write(folder, files, mode=0o644):
    for path, text in files.items():
        (folder / path).parent.mkdir(parents=True, exist_ok=True)
        (folder / path).unlink(missing_ok=True)
        (folder / path).write_text(text)
        (folder / path).chmod(mode)


def package(scratch, packaging, name, files, links=()):
    # Installs (again) the package NAME and returns the command that starts it.
    app, launcher = scratch / f"usr/lib/{name}", scratch / f"usr/bin/{name}"
    write(launcher.parent, {name: (packaging / "lexoria.sh").read_text().replace("@LEXORIA_PACKAGE_NAME@", name)})
    write(app, files, 0o755)
    for link, target in links:
        (app / link).symlink_to(target)
    subprocess.run(["cmake", f"-DDIR={app}", "-DNAME=.installed-files", "-P", packaging / "write_manifest.cmake"], check=True)
    return ["/bin/sh", launcher]


def launcher_failures(packaging, scratch):
    # The copies lie in an XDG_DATA_HOME whose name find would take as a pattern.
    data, started, ran, failures = scratch / "data[1]", scratch / "started", scratch / "ran", []
    program = f'#!/bin/sh\necho "$0" >> "{started}"\n'
    # What a user may put in the program's place: the same size, but another program.
    replaced = f"#!/bin/sh\ntouch {ran}\n".ljust(len(program) - 1, "#") + "\n"
    copy, environment = data / "lexoria", {"XDG_DATA_HOME": str(data), "PATH": "/usr/bin:/bin"}
    install = lambda files, links=(): package(scratch, packaging, "lexoria", files, links)  # noqa
    lexoria = install({"lexoria": program, "index.html": "Zakon", "Skin/app.ico": "icon"})
    # A full disc is a file size limit, which stops root too.
    for what, home, limit in [("a full disc", scratch / "full", "--fsize=1"), ("a file in the way", lexoria[1] / "x", "--core=0")]:
        result = subprocess.run(["prlimit", limit, *lexoria], env={**environment, "XDG_DATA_HOME": str(home)}, capture_output=True, text=True)
        if result.returncode != 1 or "lexoria: cannot" not in result.stderr or home.exists() and os.listdir(home) != [".lexoria.lock"]:
            failures.append(f"{what}: status {result.returncode}, {result.stderr!r}")

    def start_foo_and_foo_new():
        foo, foo_new = (package(scratch, packaging, name, {"lexoria": program}) for name in ["foo", "foo-new"])
        subprocess.run(foo_new, env=environment, check=True)
        for process in [subprocess.Popen(command, env=environment) for command in [foo, foo_new]]:
            process.wait()

    # Each row changes the installed directory, the copy or what lies beside
    # it after a first start, and tells whether the next start made it right.
    rows = [
        ("a rebuilt package of the same version", lambda: install({"index.html": "Zakan"}), lambda: (copy / "index.html").read_text() == "Zakan"),
        ("a copy whose Skin was deleted", lambda: shutil.rmtree(copy / "Skin"), lambda: (copy / "Skin/app.ico").exists()),
        ("a copy a killed start left half-made", lambda: write(data, {".lexoria.new-Ab12Cd/x": "", ".lexoria.new-Xy34Zw.old/x": ""}),
         lambda: sorted(os.listdir(data)) == [".lexoria.lock", "lexoria"]),
        ("a current copy with a results page and its temporary file",
         lambda: write(copy, {"found.html": "", "found.html.partial-Ab12Cd": ""}), lambda: (copy / "found.html.partial-Ab12Cd").exists()),
        ("a copy whose program was replaced by a script of the same size", lambda: write(copy, {"lexoria": replaced}, 0o755),
         lambda: not ran.exists() and (copy / "lexoria").resolve() == scratch / "usr/lib/lexoria/lexoria"),
        ("a link in the installed folder", lambda: install({}, [("clen.html", "index.html")]),
         lambda: (copy / "clen.html").is_symlink() and os.readlink(copy / "clen.html") == "index.html"),
        ("packages foo and foo-new started at once", start_foo_and_foo_new,
         lambda: {".foo.lock", ".foo-new.lock", "foo", "foo-new"} < set(os.listdir(data))),
    ]
    for what, change, made_right in rows:
        subprocess.run(lexoria, env=environment, check=True)
        change()
        subprocess.run(lexoria, env=environment, check=True)
        made = copy.stat().st_ino
        subprocess.run(lexoria, env=environment, check=True)
        if not made_right():
            failures.append(f"after {what} the copy was not made right")
        elif copy.stat().st_ino != made or started.read_text().splitlines()[-1] != str(copy / "lexoria"):
            failures.append(f"after {what} the copy was made again or its link not started")
    return failures


APPARMOR = {"abi/4.0": "", "local/README": "", "tunables/global": "", "abstractions/base": "", "disable/other-reader": "",
            "force-complain/README": "", "other-reader": "profile other-reader {}", "local/other-reader": "# its own",
            "../../var/cache/apparmor/1a2b/other-reader": "cache"}
# Where an earlier package of each name put its profile, under etc/apparmor.d;
# the last name is another package's profile, not ours.
EARLIER = {"abi": "abi/apparmor-profile", "local": "local/apparmor-profile", "lexoria": "lexoria", "other-reader": None}


def failed_step(packaging, scratch, name, earlier):
    generated, root = scratch / f"scripts-{name}", scratch / f"root-{name}"
    tree = lambda: {str(path.relative_to(root)): path.is_file() and path.read_bytes() for path in root.rglob("*")}  # noqa
    subprocess.run(["cmake", f"-Dname={name}", f"-Dgenerated={generated}", "-P", packaging / "maintainer_scripts.cmake"], check=True)
    profile = (generated / "apparmor-profile").read_bytes()
    write(root / "etc/apparmor.d", {**APPARMOR, f"../../usr/share/{name}/apparmor-profile": profile.decode()})
    before = tree()
    # The cache is what apparmor_parser writes for the profile outside a throw-away root.
    write(root / "var/cache/apparmor/1a2b", {f"lexoria_{name}": "cache"})
    installed = {**tree(), f"etc/apparmor.d/lexoria_{name}": profile}
    if earlier:
        write(root / "etc/apparmor.d", {earlier: (generated / "apparmor-earlier").read_text()})
    # The earlier package's postrm knows nothing of the upgrade.
    for script, *args in [["postinst", "configure", "1.7.249"], ["postrm", "upgrade", "1.7.249"],
                          ["postinst", "configure", "1.7.249"], ["postrm", "remove"], ["postrm", "purge"]]:
        status = subprocess.run(["/bin/sh", "-e", generated / script, *args], env={"DPKG_ROOT": root}).returncode
        if status or tree() != (installed if script == "postinst" or args[0] == "upgrade" else before):
            return f"{name}: {script} {' '.join(args)} ended with status {status} or changed the wrong files"


def main():
    which, packaging = sys.argv[1], Path(sys.argv[2])
    with tempfile.TemporaryDirectory(prefix=f"lexoria-{which}-") as scratch:
        failures = launcher_failures(packaging, Path(scratch)) if which == "launcher" else \
            [failure for row in EARLIER.items() if (failure := failed_step(packaging, Path(scratch), *row))]
    if failures:
        sys.exit("FAIL " + "\nFAIL ".join(failures))
    print(f"the {which} scripts did what each row needs")


if __name__ == "__main__":
    main()
