#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks that the Debian package and `cmake --install` install the same files, those listed in
# installed-files beside this script, and what the package depends on.
#
#     check-package.sh install BUILD-FOLDER    installs the build with the prefix /usr into a
#                                             scratch folder and compares its files
#     check-package.sh deb PACKAGE.deb         compares the package's files (less its copyright,
#                                             changelog and lintian overrides, and with its
#                                             manual pages not compressed) and checks its
#                                             Depends
set -euo pipefail
mode=$1
here=$(dirname "$(realpath "$0")")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0

case $mode in
install)
    DESTDIR="$scratch/root" cmake --install "$2" --prefix /usr >"$scratch/install.log" 2>&1 \
        || { cat "$scratch/install.log"; exit 1; }
    (cd "$scratch/root" && find . ! -type d) | sed 's/^\.//' | LC_ALL=C sort >"$scratch/files"
    ;;
deb)
    deb=$2
    package=$(dpkg-deb -f "$deb" Package)
    dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's/^\.//; s|^\(/usr/share/man/.*\)\.gz$|\1|' \
        | grep -vxF -e "/usr/share/doc/$package/copyright" -e "/usr/share/doc/$package/changelog.gz" \
            -e "/usr/share/lintian/overrides/$package" | LC_ALL=C sort >"$scratch/files"
    ;;
*)
    echo "usage: $0 install BUILD-FOLDER | deb PACKAGE.deb" >&2
    exit 2
    ;;
esac

if ! diff -u --label expected --label "$mode" "$here/installed-files" "$scratch/files"; then
    echo "FAIL: the files installed differ from $here/installed-files"
    status=1
fi

if [ "$mode" = deb ]; then
    depends=$(dpkg-deb -f "$deb" Depends)
    # One package name a line, alternatives included, versions dropped.
    names=$(tr ',|' '\n\n' <<<"$depends" | sed 's/(.*//; s/ //g')
    for package in libqt6core6 libqt6gui6 libqt6widgets6 libc6 libstdc++6 qt6-qpa-plugins \
        qt6-translations-l10n fonts-noto-cjk; do
        if ! grep -qxF "$package" <<<"$names"; then
            echo "FAIL: the package does not depend on $package (Depends: $depends)"
            status=1
        fi
    done
fi
[ $status -eq 0 ] && echo "PASS: $mode: $(wc -l <"$scratch/files") files as listed"
exit $status
