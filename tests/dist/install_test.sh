#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks what is there.
# Usage: install_test.sh BUILD VERSION CARD
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null
"$(dirname "$0")/check_installed.sh" "$prefix" "$2" "$3"
