#!/usr/bin/python3
# Usage: maintainer_scripts_test.py MAINTAINER_SCRIPTS_CMAKE. Writes the
# AppArmor profile and maintainer scripts of packages named like AppArmor's
# folders, like the bundled package and like another package's profile, and
# runs them as dpkg does over a throw-away root (DPKG_ROOT) where AppArmor
# knows ABI 4.0 and an earlier package of the name left its profile. The
# upgrade installs the profile under our prefix and removes the earlier one
# only where it is ours; remove and purge leave the root as it was.
import subprocess, sys, tempfile  # noqa: E401
from pathlib import Path

APPARMOR = {"abi/4.0": "", "local/README": "", "tunables/global": "", "abstractions/base": "", "disable/other-reader": "",
            "force-complain/README": "", "other-reader": "profile other-reader {}", "local/other-reader": "# its own",
            "../../var/cache/apparmor/1a2b/other-reader": "cache"}
# Where an earlier package of each name put its profile, under etc/apparmor.d;
# the last name is another package's profile, not ours.
EARLIER = {"abi": "abi/apparmor-profile", "local": "local/apparmor-profile", "lexoria": "lexoria", "other-reader": None}


def tree(root):
    return {str(path.relative_to(root)): path.is_file() and path.read_bytes() for path in root.rglob("*")}


def failed_step(script_maker, scratch, name, earlier):
    generated, root = scratch / f"scripts-{name}", scratch / f"root-{name}"
    subprocess.run(["cmake", f"-Dname={name}", f"-Dgenerated={generated}", "-P", script_maker], check=True)
    profile = (generated / "apparmor-profile").read_bytes()
    for path, text in {**APPARMOR, f"../../usr/share/{name}/apparmor-profile": profile.decode()}.items():
        (root / "etc/apparmor.d" / path).parent.mkdir(parents=True, exist_ok=True)
        (root / "etc/apparmor.d" / path).write_text(text)
    before = tree(root)
    if earlier:
        (root / "etc/apparmor.d" / earlier).write_bytes((generated / "apparmor-earlier").read_bytes())
    installed = {**before, f"etc/apparmor.d/lexoria_{name}": profile}
    # The earlier package's postrm knows nothing of the upgrade; the cache is
    # what apparmor_parser writes outside a throw-away root.
    for script, *args in [["postinst", "configure", "1.7.249"], ["postrm", "upgrade", "1.7.249"],
                          ["postinst", "configure", "1.7.249"], ["postrm", "remove"], ["postrm", "purge"]]:
        if args == ["remove"]:
            (root / f"var/cache/apparmor/1a2b/lexoria_{name}").write_text("cache")
        status = subprocess.run(["/bin/sh", "-e", generated / script, *args], env={"DPKG_ROOT": root}).returncode
        if status or tree(root) != (installed if script == "postinst" or args[0] == "upgrade" else before):
            return f"{name}: {script} {' '.join(args)} ended with status {status} or changed the wrong files"


def main():
    with tempfile.TemporaryDirectory(prefix="lexoria-scripts-") as scratch:
        failures = list(filter(None, (failed_step(sys.argv[1], Path(scratch), *row) for row in EARLIER.items())))
    if failures:
        sys.exit("FAIL " + "\nFAIL ".join(failures))
    print(f"the profile of {', '.join(EARLIER)} installed, upgraded, removed and purged touching nothing else")


if __name__ == "__main__":
    main()
