#!/usr/bin/env bash
# Starts the real program under Xvfb with the openbox window manager, as a
# person meets it on a desktop, and saves what they would see as PNGs in
# OUT (default docs/screenshots): the main window, the mask menu open, the
# Options and About dialogs with About's picture (Ctrl+H), the folder
# picker, the progress dialog during a
# copy and the conflict dialog. The settings and the copies live in a
# temporary home, so the user's own settings are never touched.
#   scripts/screenshots.sh [BUILD] [OUT]
set -euo pipefail

build=${1:-build}
cd "$(dirname "$0")/.."
out=${2:-docs/screenshots}
program=$build/app/tandrel
card_maker=$build/bench/tandrel_make_bench_card
card=samples/card
for tool in Xvfb openbox xdotool xwininfo xprop import convert; do
    command -v "$tool" >/dev/null || { echo "screenshots: $tool is missing (scripts/install-deps.sh --screenshots)" >&2; exit 1; }
done
for built in "$program" "$card_maker"; do
    [[ -x $built ]] || { echo "screenshots: $built is not built" >&2; exit 1; }
done
[[ -d $card ]] || { echo "screenshots: the sample card $card is missing" >&2; exit 1; }
mkdir -p "$out"

# A fixed folder of this script's own, so the pictures show the same paths
# from run to run.
work=${TMPDIR:-/tmp}/tandrel-screenshots
rm -rf "$work"
mkdir -p "$work"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display and names it once it is ready.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do [[ -s $work/display ]] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
openbox >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do xprop -root _NET_SUPPORTED 2>/dev/null | grep -q _NET_ACTIVE_WINDOW && break; sleep 0.1; done

export HOME=$work/home/alex
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share
export XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb
mkdir -p "$XDG_CONFIG_HOME/Brellix" "$XDG_RUNTIME_DIR" "$HOME/Videos"
chmod 700 "$XDG_RUNTIME_DIR"
printf '[General]\ntargetFolder=%s\n' "$HOME/Videos" >"$XDG_CONFIG_HOME/Brellix/Tandrel.conf"
cp -r "$card" "$HOME/CAMERA"
# A card large enough that its copy stays on screen for a moment.
"$card_maker" "$work/large card" 1 4 $((768 * 1024 * 1024))

# Waits up to ten seconds for a window with exactly this title; prints its id.
window() {
    local id
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) || true
        [[ -n $id ]] && { echo "$id"; return; }
        sleep 0.1
    done
    echo "screenshots: no window \"$1\" appeared" >&2
    return 1
}
# Waits up to sixty seconds until no window has this title.
gone() {
    for _ in $(seq 600); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    echo "screenshots: the window \"$1\" stayed open" >&2
    return 1
}
# Where a window lies with the frame the window manager drew around it:
# x y width height.
frame_of() {
    local left right top bottom
    read -r left right top bottom < <(xprop -id "$1" _NET_FRAME_EXTENTS |
        sed -n 's/.* = \([0-9]*\), \([0-9]*\), \([0-9]*\), \([0-9]*\).*/\1 \2 \3 \4/p') || true
    xwininfo -id "$1" | awk -v l="${left:-0}" -v r="${right:-0}" -v t="${top:-0}" -v b="${bottom:-0}" '
        /Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /Width:/ {w=$NF} /Height:/ {h=$NF}
        END {print x - l, y - t, w + l + r, h + t + b}'
}
# Every window of the program, cut from the screen as one picture.
shoot_program() {
    local left=100000 top=100000 right=0 bottom=0 x y width height id
    for id in $(xdotool search --onlyvisible --pid "$app" 2>/dev/null); do
        read -r x y width height < <(frame_of "$id")
        ((width > 1 && height > 1)) || continue
        ((x < left)) && left=$x
        ((y < top)) && top=$y
        ((x + width > right)) && right=$((x + width))
        ((y + height > bottom)) && bottom=$((y + height))
    done
    import -window root -crop "$((right - left))x$((bottom - top))+${left}+${top}" +repage "$out/$1.png"
    echo "screenshots: $out/$1.png"
}
# A window with the frame the window manager gave it, cut from the screen.
shoot() {
    [[ -n $1 ]] || { echo "screenshots: no window for $2" >&2; exit 1; }
    sleep 0.3
    local x y width height
    read -r x y width height < <(frame_of "$1")
    import -window root -crop "${width}x${height}+${x}+${y}" +repage "$out/$2.png"
    echo "screenshots: $out/$2.png"
}
keys() { xdotool key --delay 60 "$@"; sleep 0.3; }

"$program" "$HOME/CAMERA" &
app=$!
pids+=($app)
main=$(window Tandrel)
xdotool windowactivate --sync "$main"
shoot "$main" main-window

# From the source field, six tabs reach the folder mask's token button.
keys Tab Tab Tab Tab Tab Tab space
shoot_program mask-menu
keys Escape

xdotool windowactivate --sync "$main"
keys alt+t o
shoot "$(window Options)" options
keys Escape
gone Options
xdotool windowactivate --sync "$main"
keys alt+h a
shoot "$(window "About Tandrel")" about
keys ctrl+h
shoot "$(window Picture)" picture
keys Escape
gone Picture
xdotool windowactivate --sync "$(window "About Tandrel")"
keys Escape
gone "About Tandrel"

xdotool windowactivate --sync "$main"
keys alt+b
shoot "$(window "Select Folder")" folder-picker
keys Escape
gone "Select Folder"

# A first copy fills the target; the second meets the first clip again and
# asks.
xdotool windowactivate --sync "$main"
keys alt+c
gone "Please Wait.."
xdotool windowactivate --sync "$main"
keys alt+c
shoot "$(window "Copy File")" conflict
keys Escape
gone "Please Wait.."

xdotool windowactivate --sync "$main"
keys Escape
wait "$app" || true

# The program again on a card large enough that its copy stays on screen
# while the picture is taken.
"$program" "$work/large card" &
app=$!
pids+=($app)
main=$(window Tandrel)
xdotool windowactivate --sync "$main"
keys alt+c
shoot "$(window "Please Wait..")" progress
gone "Please Wait.."
xdotool windowactivate --sync "$main"
keys Escape
wait "$app" || true
