#!/bin/sh
# Installs the AppArmor profile that lets the reader's sandbox start, only
# where AppArmor knows ABI 4.0: an older AppArmor, as Debian 12's, cannot
# read the profile and needs none. The profile's file and its own name are
# "@LEXORIA_PROFILE@": no Debian package name holds "_", so neither can be one
# of AppArmor's folders or another package's profile.
set -e

profiles="${DPKG_ROOT:-}/etc/apparmor.d"
profile="$profiles/@LEXORIA_PROFILE@"

apparmor_running() {
    [ -z "${DPKG_ROOT:-}" ] && command -v aa-enabled >/dev/null && aa-enabled --quiet
}

# Earlier packages copied their profile to the package's own name, which could
# be a folder, as abi/ (the copy then landed inside it), or another package's
# profile: only a file with the bytes they wrote is theirs to remove.
remove_earlier_profile() {
    for earlier in "$profiles/@LEXORIA_PACKAGE_NAME@" "$profiles/@LEXORIA_PACKAGE_NAME@/apparmor-profile"; do
        if [ -f "$earlier" ] && [ ! -L "$earlier" ] \
            && [ "$(sha256sum < "$earlier")" = "@LEXORIA_EARLIER_PROFILE_SHA256@  -" ]; then
            if apparmor_running; then
                apparmor_parser --remove "$earlier" || true
            fi
            rm -f -- "$earlier"
        fi
    done
}

if [ "$1" = configure ]; then
    remove_earlier_profile
    if [ -e "$profiles/abi/4.0" ]; then
        cp -- "${DPKG_ROOT:-}/usr/share/@LEXORIA_PACKAGE_NAME@/apparmor-profile" "$profile"
        if apparmor_running; then
            apparmor_parser --replace --write-cache --skip-read-cache "$profile" || true
        fi
    fi
fi
