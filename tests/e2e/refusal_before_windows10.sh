#!/usr/bin/env bash
# Runs the refusal test in a copy of the tests' Wine prefix that reports Windows 7, with a
# wineserver of its own, and removes the copy afterwards.
#   refusal_before_windows10.sh <wine loader> <driver.exe>
set -uo pipefail
wine_loader=$1
driver=$2
: "${WINEPREFIX:?the Wine prefix of the tests}"
wineserver=$(dirname "$wine_loader")/wineserver
[ -x "$wineserver" ] || wineserver=$(dirname "$wine_loader")/wineserver64
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
copy=$(mktemp -d "${TMPDIR:-/tmp}/kb_win7_XXXXXX")
cleanup() {
  WINEPREFIX="$copy/prefix" "$wineserver" -k 2>/dev/null
  rm -rf "$copy"
}
trap cleanup EXIT
cp -a "$WINEPREFIX" "$copy/prefix"
export WINEPREFIX="$copy/prefix"
"$wine_loader" winecfg -v win7 >/dev/null 2>&1
"$wine_loader" "$driver"
