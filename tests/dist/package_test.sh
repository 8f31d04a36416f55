#!/usr/bin/env bash
# Unpacks the package that `make deb` built into a temporary root, as
# `dpkg -i` would lay it out but without installing it, and checks the tree
# there: the programs run from that root, so the package is relocatable and
# complete. lintian must find no error in it.
# Usage: package_test.sh DEB-FOLDER VERSION CARD
set -euo pipefail
folder=$1
version=$2
card=$3

packages=("$folder"/tandrel_"$version"_*.deb)
if [[ ! -f ${packages[0]} ]]; then
    echo "package: no tandrel_${version}_*.deb in $folder; make deb builds it" >&2
    exit 77
fi
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "${packages[0]}" "$root"
"$(dirname "$0")/check_installed.sh" "$root/usr" "$version" "$card"

# Errors fail the test; warnings are shown, and those left are explained in
# the package's overrides or in ARCHITECTURE.md.
lintian --tag-display-limit 0 "${packages[0]}" | tee "$root/lintian.txt"
! grep -q '^E: ' "$root/lintian.txt" || { echo "package: lintian reports errors" >&2; exit 1; }
echo "package: ok"
