#!/usr/bin/env bash
# Installs the build into a fresh prefix and asks GLib, as the desktop's
# "media inserted" handlers do, what content type card trees get and which
# programs are offered for a camera card. The install itself brings the
# prefix's indexes of content types and launchers up to date.
set -euo pipefail

build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "content type: $*" >&2; exit 1; }

# Cards in each layout, in the letter cases cameras and copies use, and a
# folder that only looks a little like one.
declare -A expected=(
    [avchdl]=x-content/video-avchd
    [avchd]=x-content/video-avchd
    [maker]=x-content/video-avchd
    [disc]=x-content/video-bluray
    [other]=
)
mkdir -p "$work/avchdl/PRIVATE/AVCHDL/BDMV/STREAM" "$work/avchd/private/avchd/bdmv/stream" \
    "$work/maker/Avchd/Bdmv/Stream" "$work/disc/BDMV/STREAM" "$work/other/PRIVATE/AVCHD/STREAM"

# The user's own types and programs stay out of it. GLib offers only
# launchers whose program it finds on the PATH.
guess=$(PATH=$prefix/bin:$PATH XDG_DATA_HOME=$work/home XDG_DATA_DIRS=$prefix/share:/usr/share \
    /usr/bin/python3 - "$work" <<'PY'
import sys
import gi
gi.require_version("Gio", "2.0")
from gi.repository import Gio

work = sys.argv[1]
for tree in ("avchdl", "avchd", "maker", "disc", "other"):
    types = Gio.content_type_guess_for_tree(Gio.File.new_for_path(f"{work}/{tree}"))
    print(tree, " ".join(t for t in types if t.startswith("x-content/video")))
for content_type in ("x-content/video-avchd", "x-content/video-bluray"):
    apps = Gio.AppInfo.get_all_for_type(content_type)
    print(content_type, " ".join(app.get_id() for app in apps))
PY
)

while read -r name types; do
    case $name in
        x-content/*) [[ " $types " == *" tandrel.desktop "* ]] || fail "Tandrel is not offered for $name" ;;
        *) [[ $types == "${expected[$name]}" ]] || fail "$name is \"$types\", not \"${expected[$name]}\"" ;;
    esac
done <<<"$guess"
[[ $(grep -c . <<<"$guess") == 7 ]] || fail "GLib answered: $guess"
echo "content type: ok"
