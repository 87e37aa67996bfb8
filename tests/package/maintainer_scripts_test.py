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

APPARMOR = {"abi/4.0": "abi", "local/README": "local", "tunables/global": "tunables", "abstractions/base": "base",
            "disable/other-reader": "", "force-complain/README": "", "other-reader": "profile other-reader {}\n",
            "local/other-reader": "# the administrator's\n", "../../var/cache/apparmor/1a2b/other-reader": "cache"}
# Where an earlier package of each name put its profile, as a path under
# etc/apparmor.d; the last name is another package's profile, not ours.
EARLIER = {"abi": "abi/apparmor-profile", "local": "local/apparmor-profile", "lexoria": "lexoria", "other-reader": None}


def tree(root):
    return {str(path.relative_to(root)): path.read_bytes() if path.is_file() else None
            for folder in ["etc", "var"] for path in (root / folder).rglob("*")}


def upgrade_and_remove(script_maker, scratch, name, earlier):
    generated, root = scratch / f"scripts-{name}", scratch / f"root-{name}"
    subprocess.run(["cmake", f"-Dname={name}", f"-Dgenerated={generated}", "-P", script_maker], check=True)
    profiles, profile = root / "etc/apparmor.d", (generated / "apparmor-profile").read_bytes()
    for path, text in APPARMOR.items():
        (profiles / path).parent.mkdir(parents=True, exist_ok=True)
        (profiles / path).write_text(text)
    (root / f"usr/share/{name}").mkdir(parents=True)
    (root / f"usr/share/{name}/apparmor-profile").write_bytes(profile)
    before = tree(root)
    if earlier:
        (profiles / earlier).write_bytes((generated / "apparmor-earlier").read_bytes())
    installed = {**before, f"etc/apparmor.d/lexoria_{name}": profile}
    # The earlier package's postrm knows nothing of the upgrade, the cache is
    # what apparmor_parser writes outside a throw-away root.
    steps = [(["postinst", "configure", "1.7.249"], installed), (["postrm", "upgrade", "1.7.249"], installed),
             (["postinst", "configure", "1.7.249"], installed), (["postrm", "remove"], before),
             (["postrm", "purge"], before)]
    failures = []
    for (script, *args), expected in steps:
        if script == "postrm" and args == ["remove"]:
            (root / f"var/cache/apparmor/1a2b/lexoria_{name}").write_text("cache")
        result = subprocess.run(["/bin/sh", "-e", generated / script, *args], env={"DPKG_ROOT": str(root),
                                "PATH": "/usr/bin:/bin"}, capture_output=True, text=True)
        if result.returncode or tree(root) != expected:
            changed = sorted(set(tree(root).items()) ^ set(expected.items()), key=str)
            failures.append(f"{name}: {script} {' '.join(args)}: status {result.returncode} {result.stderr!r}, "
                            f"differs in {[path for path, _ in changed]}")
            break
    return failures


def main():
    script_maker = sys.argv[1]
    with tempfile.TemporaryDirectory(prefix="lexoria-scripts-") as scratch:
        failures = [failure for name, earlier in EARLIER.items()
                    for failure in upgrade_and_remove(script_maker, Path(scratch), name, earlier)]
    if failures:
        sys.exit("FAIL " + "\nFAIL ".join(failures))
    print(f"the profile of {', '.join(EARLIER)} installed, upgraded, removed and purged touching nothing else")


if __name__ == "__main__":
    main()
