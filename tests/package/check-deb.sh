#!/usr/bin/env bash
# Makes the Debian package from a build tree and checks what it installs and depends on.
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 \
    || { cat "$out/cpack.log"; exit 1; }
deb=$(ls "$out"/*.deb)
status=0

files=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
for expected in \
    ./usr/bin/ormek-calculator \
    ./usr/share/applications/net.ormek.Calculator.desktop \
    ./usr/share/metainfo/net.ormek.Calculator.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/net.ormek.Calculator.svg \
    ./usr/share/icons/hicolor/16x16/apps/net.ormek.Calculator.png \
    ./usr/share/icons/hicolor/32x32/apps/net.ormek.Calculator.png \
    ./usr/share/icons/hicolor/256x256/apps/net.ormek.Calculator.png; do
    if ! grep -qxF "$expected" <<<"$files"; then
        echo "FAIL: the package lacks $expected"
        status=1
    fi
done

depends=$(dpkg-deb -f "$deb" Depends)
# One package name a line, alternatives included, versions dropped.
names=$(tr ',|' '\n\n' <<<"$depends" | sed 's/(.*//; s/ //g')
for package in libqt6core6 libqt6gui6 libqt6widgets6 libc6 libstdc++6 fonts-noto-cjk; do
    if ! grep -qxF "$package" <<<"$names"; then
        echo "FAIL: the package does not depend on $package (Depends: $depends)"
        status=1
    fi
done

[ "$(dpkg-deb -f "$deb" Package)" = ormek-calculator ] || { echo "FAIL: package name"; status=1; }
[ $status -eq 0 ] && echo "PASS: $(basename "$deb"): $(wc -l <<<"$files") entries; Depends: $depends"
exit $status
