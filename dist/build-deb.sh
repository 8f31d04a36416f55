#!/usr/bin/env bash
# Builds the Debian package of the tree SOURCE with Debian's own tools into
# OUT (tandrel_VERSION_ARCH.deb and its .buildinfo and .changes). It builds a
# copy of the tree inside OUT, so nothing the package build leaves lands in
# SOURCE. The package's changelog is written from the project's version and
# release date, which CMake holds.
# Usage: build-deb.sh SOURCE OUT VERSION RELEASE-DATE
set -euo pipefail
source=$1
out=$2
version=$3
date=$4

rm -rf "$out"
copy=$out/tandrel-$version
mkdir -p "$copy"
if git -C "$source" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    # What git would commit: the tracked files as they stand, and the new
    # ones it does not ignore.
    git -C "$source" ls-files -z --cached --others --exclude-standard |
        tar -C "$source" --null --files-from=- --ignore-failed-read -cf - | tar -C "$copy" -xf -
else
    tar -C "$source" --exclude='./build*' -cf - . | tar -C "$copy" -xf -
fi

maintainer=$(sed -n 's/^Maintainer: //p' "$copy/debian/control")
cat >"$copy/debian/changelog" <<END
tandrel ($version) unstable; urgency=medium

  * Release $version.

 -- $maintainer  $(LC_ALL=C date -u -R -d "$date 12:00 UTC")
END

# debhelper gives the build a HOME of its own; the compiler cache stays the user's.
if command -v ccache >/dev/null; then
    CCACHE_DIR=$(ccache --get-config cache_dir)
    export CCACHE_DIR
fi
(cd "$copy" && dpkg-buildpackage -b -us -uc)
rm -rf "$copy"
ls "$out"/*.deb
