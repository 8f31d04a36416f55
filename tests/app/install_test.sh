#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks what a desktop needs: the
# program, Common found through the program's RPATH wherever the prefix is,
# a valid launcher, and the icon in every size.
set -euo pipefail

build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "install: $*" >&2; exit 1; }

[[ -x $prefix/bin/tandrel ]] || fail "bin/tandrel is missing"
library=$(find "$prefix" -name 'libtandrel-common.so.1' | head -n 1)
[[ -n $library ]] || fail "libtandrel-common.so.1 is missing"
for program in tandrel tandrel-cli; do
    [[ -x $prefix/bin/$program ]] || fail "bin/$program is missing"
    readelf -d "$prefix/bin/$program" | grep -q 'RUNPATH.*\$ORIGIN/' || fail "$program: no \$ORIGIN RUNPATH"
    found=$(env -u LD_LIBRARY_PATH ldd "$prefix/bin/$program" | awk '/libtandrel-common/ { print $3 }')
    [[ -n $found && $(realpath "$found") == $(realpath "$library") ]] ||
        fail "the installed $program finds Common at \"$found\", not at $library"
done
env -u LD_LIBRARY_PATH "$prefix/bin/tandrel-cli" --version >/dev/null || fail "the installed tandrel-cli does not run"

desktop-file-validate "$prefix/share/applications/tandrel.desktop" || fail "invalid launcher"
grep -qx 'Exec=tandrel %f' "$prefix/share/applications/tandrel.desktop" || fail "launcher Exec"
grep -qx 'Icon=tandrel' "$prefix/share/applications/tandrel.desktop" || fail "launcher Icon"

icons=$prefix/share/icons/hicolor
[[ -f $icons/scalable/apps/tandrel.svg ]] || fail "scalable icon missing"
for size in 16 22 24 32 48 64 128 256; do
    png=$icons/${size}x${size}/apps/tandrel.png
    [[ -f $png ]] || fail "$png missing"
    # The width and height of a PNG are the big-endian words at bytes 16 and 20.
    read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
        awk '{ print $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }')
    [[ $width == "$size" && $height == "$size" ]] || fail "$png is ${width}x${height}"
done
echo "install: ok"
