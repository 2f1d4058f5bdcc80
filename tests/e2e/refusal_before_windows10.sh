#!/usr/bin/env bash
# Runs the refusal test in a copy of the tests' Wine prefix that reports Windows 7, with a
# wineserver of its own, and removes the copy afterwards.
#   refusal_before_windows10.sh <wine loader> <driver.exe>
set -uo pipefail
wine_loader=$1
driver=$2
. "$(dirname "$0")/prefix_copy.sh" "$wine_loader"
"$wine_loader" winecfg -v win7 >/dev/null 2>&1
"$wine_exec" "$wine_loader" "$driver"
