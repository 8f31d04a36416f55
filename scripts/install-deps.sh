#!/usr/bin/env bash
# Installs the Debian packages Tandrel builds, tests and runs with, and with
# --screenshots also the window manager the screenshots are taken under.
# Does nothing (and says nothing) when they are all present; runs apt-get
# update only when something must be installed. Works as root or through sudo.
set -euo pipefail

packages=(
    g++ cmake ninja-build make
    libboost-filesystem-dev
    qt6-base-dev
    libcli11-dev nlohmann-json3-dev libxxhash-dev pkg-config
    libgtest-dev libgmock-dev
    clang libclang-rt-14-dev
    xvfb x11-utils xdotool imagemagick
    desktop-file-utils shared-mime-info python3-gi
    scdoc bash-completion man-db appstream
    build-essential dpkg-dev debhelper fakeroot lintian
    dbus-daemon
)
if [[ ${1:-} == --screenshots ]]; then
    packages+=(openbox)
fi

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

if [[ $(id -u) -eq 0 ]]; then
    as_root=()
elif command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
else
    echo "install-deps: these packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
    exit 1
fi

echo "install-deps: installing ${missing[*]}" >&2
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
