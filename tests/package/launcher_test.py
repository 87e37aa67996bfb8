#!/usr/bin/python3
# Usage: launcher_test.py LAUNCHER WRITE_MANIFEST. Runs the package's launcher
# over an installed directory listed as the package lists it, with a program
# that only ends, and checks when the user's copy is made anew.
import contextlib, os, shutil, subprocess, sys, tempfile  # noqa: E401

INSTALLED = {"lexoria": "#!/bin/sh\n", "index.html": "<title>Zakon</title>", "Skin/app.ico": "icon"}


def write(folder, files):
    for path, text in files.items():
        os.makedirs(os.path.dirname(f"{folder}/{path}"), exist_ok=True)
        with open(f"{folder}/{path}", "w") as out:
            out.write(text)


def read(path):
    with contextlib.suppress(FileNotFoundError), open(path) as source:
        return source.read()


def install(app, write_manifest, files):
    write(app, files)
    os.chmod(f"{app}/lexoria", 0o755)
    subprocess.run(["cmake", f"-DDIR={app}", "-DNAME=.installed-files", "-P", write_manifest], check=True)


def main():
    launcher, write_manifest = sys.argv[1:]
    with tempfile.TemporaryDirectory(prefix="lexoria-launcher-") as scratch:
        app, data = f"{scratch}/usr/lib/lexoria", f"{scratch}/data"
        copy = f"{data}/lexoria"
        os.makedirs(f"{scratch}/usr/bin")
        start = ["/bin/sh", shutil.copy(launcher, f"{scratch}/usr/bin/lexoria")]
        install(app, write_manifest, INSTALLED)
        # Each row changes the installed directory, the copy or what lies beside
        # it after a first start, and tells whether the next start made it right.
        rows = [
            ("a rebuilt package of the same version with a changed page",
             lambda: install(app, write_manifest, {"index.html": "<title>Zakan</title>"}),
             lambda: read(f"{copy}/index.html") == "<title>Zakan</title>"),
            ("a copy whose Skin was deleted", lambda: shutil.rmtree(f"{copy}/Skin"),
             lambda: read(f"{copy}/Skin/app.ico") == "icon"),
            ("a copy a killed start left half-made",
             lambda: write(data, {".lexoria-new.Ab12Cd/index.html": "", ".lexoria-new.Xy34Zw.old/index.html": ""}),
             lambda: sorted(os.listdir(data)) == [".lexoria.lock", "lexoria"]),
            ("a current copy with a results page and its temporary file",
             lambda: write(copy, {"found.html": "", "found.html.Ab12Cd": ""}),
             lambda: os.path.exists(f"{copy}/found.html.Ab12Cd")),
        ]
        environment, failures = {"XDG_DATA_HOME": data, "PATH": "/usr/bin:/bin"}, []
        for what, change, made_right in rows:
            subprocess.run(start, env=environment, check=True)
            change()
            subprocess.run(start, env=environment, check=True)
            if not made_right():
                failures.append(what)
    if failures:
        sys.exit("FAIL the copy was not made right after " + "; ".join(failures))
    print("the copy was made anew or kept as each row needs")


if __name__ == "__main__":
    main()
