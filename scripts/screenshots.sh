#!/usr/bin/env bash
# Starts the real program under Xvfb on the sample card and saves what a
# person would see as PNGs in <build>/screenshots: the main window, the mask
# menu open, the progress dialog during a copy, the conflict dialog, and the
# Options and About dialogs with About's picture (Ctrl+H). The
# settings and the copy's target live in a temporary home, so the user's own
# settings are never touched.
set -euo pipefail

build=${1:-build}
cd "$(dirname "$0")/.."
program=$build/app/tandrel
card=samples/card
out=$build/screenshots
for tool in Xvfb xdotool xwininfo import convert; do
    command -v "$tool" >/dev/null || { echo "screenshots: $tool is missing (make deps)" >&2; exit 1; }
done
[[ -x $program ]] || { echo "screenshots: $program is not built" >&2; exit 1; }
[[ -d $card ]] || { echo "screenshots: the sample card $card is missing" >&2; exit 1; }
mkdir -p "$out"

work=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
    [[ -n $app_pid ]] && kill "$app_pid" 2>/dev/null || true
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done

export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb
mkdir -p "$XDG_CONFIG_HOME/Brellix" "$XDG_RUNTIME_DIR" "$work/Videos"
chmod 700 "$XDG_RUNTIME_DIR"
printf '[General]\ntargetFolder=%s\n' "$work/Videos" >"$XDG_CONFIG_HOME/Brellix/Tandrel.conf"

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
# Waits up to twenty seconds until no window has this title.
gone() {
    for _ in $(seq 200); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    echo "screenshots: the window \"$1\" stayed open" >&2
    return 1
}
shoot() {
    [[ -n $1 ]] || { echo "screenshots: no window for $2" >&2; exit 1; }
    import -window "$1" "$out/$2.png"
    echo "screenshots: $out/$2.png"
}
# The whole screen cut down to what is on it (the root window is black).
shoot_screen() {
    import -window root "$work/screen.png"
    convert "$work/screen.png" -trim +repage "$out/$1.png"
    echo "screenshots: $out/$1.png"
}
keys() { xdotool key --delay 60 "$@"; sleep 0.3; }

"$program" "$card" &
app_pid=$!
main=$(window Tandrel)
xdotool windowfocus --sync "$main"
sleep 0.5
shoot "$main" main-window

# From the source field, six tabs reach the folder mask's token button.
keys Tab Tab Tab Tab Tab Tab space
shoot_screen mask-menu
keys Escape

xdotool windowfocus --sync "$main"
keys alt+t o
shoot "$(window Options)" options-dialog
keys Escape
xdotool windowfocus --sync "$main"
keys alt+h a
about=$(window "About Tandrel")
shoot "$about" about-dialog
keys ctrl+h
shoot "$(window Picture)" picture-dialog
keys Escape
gone Picture
xdotool windowfocus --sync "$about"
keys Escape

# A first copy fills the target; the second meets every file again, and its
# first conflict holds the progress dialog open for the pictures.
xdotool windowfocus --sync "$main"
keys alt+c
gone "Please Wait.."
ls "$work/Videos"/* >/dev/null
xdotool windowfocus --sync "$main"
keys alt+c
conflict=$(window "Copy File")
progress=$(window "Please Wait..")
# With no window manager both dialogs open centred over the main window, the
# conflict dialog on top; it moves to the screen's corner so the progress
# dialog shows.
eval "$(xdotool getwindowgeometry --shell "$conflict")"
xdotool windowmove --sync "$conflict" $((1280 - WIDTH)) $((800 - HEIGHT))
sleep 0.5
shoot "$progress" progress-dialog
shoot "$conflict" conflict-dialog
shoot_screen copy-in-progress
xdotool windowfocus --sync "$conflict"
keys Escape
gone "Please Wait.."
xdotool windowfocus --sync "$main"
keys Escape
wait "$app_pid" || true
app_pid=
