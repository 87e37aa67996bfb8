#!/bin/sh
# The AppArmor profile that postinst installed goes with the package, and
# nothing else: an administrator's local/@LEXORIA_PROFILE@ stays.
set -e

profile="${DPKG_ROOT:-}/etc/apparmor.d/@LEXORIA_PROFILE@"

if { [ "$1" = remove ] || [ "$1" = purge ]; } && [ -f "$profile" ]; then
    if [ -z "${DPKG_ROOT:-}" ] && command -v aa-enabled >/dev/null && aa-enabled --quiet; then
        apparmor_parser --remove "$profile" || true
    fi
    rm -f -- "$profile" "${DPKG_ROOT:-}"/var/cache/apparmor/*/@LEXORIA_PROFILE@
fi
