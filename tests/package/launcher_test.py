#!/usr/bin/python3
# Usage: launcher_test.py LAUNCHER_TEMPLATE WRITE_MANIFEST. Runs the package's
# launcher over an installed directory listed as the package lists it, with a
# program that notes the path it was started by, and checks that the user's
# copy is made anew whenever it is wrong, and then once. The copies lie in an
# XDG_DATA_HOME whose name find would take as a pattern.
import os, shutil, subprocess, sys, tempfile  # noqa: E401
from pathlib import Path


def write(folder, files, mode=0o644):
    for path, text in files.items():
        (folder / path).parent.mkdir(parents=True, exist_ok=True)
        (folder / path).unlink(missing_ok=True)
        (folder / path).write_text(text)
        (folder / path).chmod(mode)


def package(scratch, name, template, write_manifest, files, links=()):
    # Installs (again) the package NAME and returns the command that starts it.
    app, launcher = scratch / f"usr/lib/{name}", scratch / f"usr/bin/{name}"
    write(launcher.parent, {name: Path(template).read_text().replace("@LEXORIA_PACKAGE_NAME@", name)})
    write(app, files, 0o755)
    for link, target in links:
        (app / link).symlink_to(target)
    subprocess.run(["cmake", f"-DDIR={app}", "-DNAME=.installed-files", "-P", write_manifest], check=True)
    return ["/bin/sh", launcher]


def main():
    template, write_manifest = sys.argv[1:]
    with tempfile.TemporaryDirectory(prefix="lexoria-launcher-") as scratch:
        scratch, data = Path(scratch), Path(scratch, "data[1]")
        copy, started, ran = data / "lexoria", scratch / "started", scratch / "ran"
        program = f'#!/bin/sh\necho "$0" >> "{started}"\n'
        # What a user may put in the program's place: the same size, but another program.
        replaced = f"#!/bin/sh\ntouch {ran}\n".ljust(len(program) - 1, "#") + "\n"
        environment = {"XDG_DATA_HOME": str(data), "PATH": "/usr/bin:/bin"}
        install = lambda files, links=(): package(scratch, "lexoria", template, write_manifest, files, links)  # noqa
        lexoria = install({"lexoria": program, "index.html": "Zakon", "Skin/app.ico": "icon"})

        def start_foo_and_foo_new():
            foo, foo_new = (package(scratch, name, template, write_manifest, {"lexoria": program}) for name in ["foo", "foo-new"])
            subprocess.run(foo_new, env=environment, check=True)
            if any(process.wait() for process in [subprocess.Popen(command, env=environment) for command in [foo, foo_new]]):
                sys.exit("FAIL foo and foo-new started at once")

        # Each row changes the installed directory, the copy or what lies beside
        # it after a first start, and tells whether the next start made it right.
        rows = [
            ("nothing", lambda: None, lambda: copy.is_dir()),
            ("a rebuilt package of the same version with a changed page",
             lambda: install({"index.html": "Zakan"}), lambda: (copy / "index.html").read_text() == "Zakan"),
            ("a copy whose Skin was deleted", lambda: shutil.rmtree(copy / "Skin"),
             lambda: (copy / "Skin/app.ico").exists()),
            ("a copy a killed start left half-made",
             lambda: write(data, {".lexoria.new-Ab12Cd/index.html": "", ".lexoria.new-Xy34Zw.old/index.html": ""}),
             lambda: sorted(os.listdir(data)) == [".lexoria.lock", "lexoria"]),
            ("a current copy with a results page and its temporary file",
             lambda: write(copy, {"found.html": "", "found.html.partial-Ab12Cd": ""}),
             lambda: (copy / "found.html.partial-Ab12Cd").exists()),
            ("a copy whose program was replaced by a script of the same size",
             lambda: write(copy, {"lexoria": replaced}, 0o755),
             lambda: not ran.exists() and (copy / "lexoria").resolve() == scratch / "usr/lib/lexoria/lexoria"),
            ("a link in the installed folder", lambda: install({}, [("clen.html", "index.html")]),
             lambda: (copy / "clen.html").is_symlink() and os.readlink(copy / "clen.html") == "index.html"),
            ("packages foo and foo-new started at once", start_foo_and_foo_new,
             lambda: {".foo.lock", ".foo-new.lock", "foo", "foo-new"} < set(os.listdir(data))),
        ]
        failures = []
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
    if failures:
        sys.exit("FAIL " + "\nFAIL ".join(failures))
    print("the copy was made anew or kept as each row needs, and its link to the program started")


if __name__ == "__main__":
    main()
