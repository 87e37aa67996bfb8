#!/usr/bin/python3
# Usage: launcher_test.py LAUNCHER WRITE_MANIFEST. Runs the package's launcher
# over an installed directory listed as the package lists it, with a program
# that only ends, and checks when the user's copy is made anew.
import os, shutil, subprocess, sys, tempfile  # noqa: E401
from pathlib import Path


def write(folder, files):
    for path, text in files.items():
        (folder / path).parent.mkdir(parents=True, exist_ok=True)
        (folder / path).write_text(text)


def install(app, write_manifest, files):
    write(app, files)
    (app / "lexoria").chmod(0o755)
    subprocess.run(["cmake", f"-DDIR={app}", "-DNAME=.installed-files", "-P", write_manifest], check=True)


def main():
    launcher, write_manifest = sys.argv[1:]
    with tempfile.TemporaryDirectory(prefix="lexoria-launcher-") as scratch:
        app, data, bin_dir = Path(scratch, "usr/lib/lexoria"), Path(scratch, "data"), Path(scratch, "usr/bin")
        bin_dir.mkdir(parents=True)
        copy, start = data / "lexoria", ["/bin/sh", shutil.copy(launcher, bin_dir)]
        install(app, write_manifest, {"lexoria": "#!/bin/sh\n", "index.html": "Zakon", "Skin/app.ico": "icon"})
        # Each row changes the installed directory, the copy or what lies beside
        # it after a first start, and tells whether the next start made it right.
        rows = [
            ("a rebuilt package of the same version with a changed page",
             lambda: install(app, write_manifest, {"index.html": "Zakan"}),
             lambda: (copy / "index.html").read_text() == "Zakan"),
            ("a copy whose Skin was deleted", lambda: shutil.rmtree(copy / "Skin"),
             lambda: (copy / "Skin/app.ico").exists()),
            ("a copy a killed start left half-made",
             lambda: write(data, {".lexoria-new.Ab12Cd/index.html": "", ".lexoria-new.Xy34Zw.old/index.html": ""}),
             lambda: sorted(os.listdir(data)) == [".lexoria.lock", "lexoria"]),
            ("a current copy with a results page and its temporary file",
             lambda: write(copy, {"found.html": "", "found.html.partial-Ab12Cd": ""}),
             lambda: (copy / "found.html.partial-Ab12Cd").exists()),
        ]
        environment, failures = {"XDG_DATA_HOME": str(data), "PATH": "/usr/bin:/bin"}, []
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
