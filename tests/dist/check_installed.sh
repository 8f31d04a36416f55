#!/usr/bin/env bash
# Checks an installed Tandrel below PREFIX (a `cmake --install` prefix, or
# usr/ of an unpacked package) as a desktop and a shell use it: both programs
# run from there and find Common through their RPATH wherever the prefix is;
# the launcher, the icon in every size, the manual pages, the completion and
# the AppStream description are there and valid.
# Usage: check_installed.sh PREFIX VERSION CARD
set -euo pipefail

prefix=$1
version=$2
card=$3

fail() { echo "installed: $*" >&2; exit 1; }

library=$(find "$prefix" -name 'libtandrel-common.so.1' | head -n 1)
[[ -n $library ]] || fail "libtandrel-common.so.1 is missing"
[[ $library == "$prefix"/lib/*tandrel/libtandrel-common.so.1 ]] ||
    fail "$library is not in a private folder of its own"
for program in tandrel tandrel-cli; do
    [[ -x $prefix/bin/$program ]] || fail "bin/$program is missing"
    readelf -d "$prefix/bin/$program" | grep -q 'RUNPATH.*\$ORIGIN/' || fail "$program: no \$ORIGIN RUNPATH"
    found=$(env -u LD_LIBRARY_PATH ldd "$prefix/bin/$program" | awk '/libtandrel-common/ { print $3 }')
    [[ -n $found && $(realpath "$found") == $(realpath "$library") ]] ||
        fail "the installed $program finds Common at \"$found\", not at $library"
done
export -n LD_LIBRARY_PATH
[[ $("$prefix/bin/tandrel-cli" --version) == "tandrel-cli $version" ]] || fail "tandrel-cli --version"
[[ $(QT_QPA_PLATFORM=offscreen "$prefix/bin/tandrel" --version) == "tandrel $version" ]] ||
    fail "tandrel --version"
"$prefix/bin/tandrel-cli" list "$card" | grep -qE '^[^ ]+  [0-9]{4}-[0-9]{2}-[0-9]{2} ' ||
    fail "tandrel-cli list $card"

desktop=$prefix/share/applications/tandrel.desktop
desktop-file-validate "$desktop" || fail "invalid launcher"
grep -qx 'Exec=tandrel %f' "$desktop" || fail "launcher Exec"
grep -qx 'Icon=tandrel' "$desktop" || fail "launcher Icon"

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

for page in tandrel tandrel-cli; do
    file=$(find "$prefix/share/man/man1" -name "$page.1*" | head -n 1)
    [[ -n $file ]] || fail "the manual page $page(1) is missing"
    warnings=$(MANWIDTH=80 man -l --warnings "$file" 2>&1 >/dev/null)
    [[ -z $warnings ]] || fail "$page(1) renders with warnings: $warnings"
    MANWIDTH=80 man -l "$file" 2>/dev/null | grep -q "^NAME" || fail "$page(1) does not render"
done

completion=$prefix/share/bash-completion/completions/tandrel-cli
[[ -f $completion ]] || fail "the completion of tandrel-cli is missing"
bash -c 'source /usr/share/bash-completion/bash_completion && source "$1" && complete -p tandrel-cli' \
    _ "$completion" >/dev/null || fail "the completion does not load"

metainfo=$(find "$prefix/share/metainfo" -name '*.metainfo.xml' | head -n 1)
[[ -n $metainfo ]] || fail "the AppStream description is missing"
appstreamcli validate --no-net "$metainfo" >&2 || fail "$metainfo does not validate"
launchable=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$metainfo")
[[ -f $prefix/share/applications/$launchable ]] || fail "$metainfo launches \"$launchable\", which is not installed"
echo "installed: ok"
