# Sourced by the tests that need a Wine prefix of their own: copies the tests' prefix into a
# temporary folder, points WINEPREFIX at the copy, and on exit stops the copy's wineserver and
# removes the folder.
#   . prefix_copy.sh <wine loader>    sets wineserver, work (the temporary folder) and
#                                     wine_exec (how the tests run a program under Wine)
: "${WINEPREFIX:?the Wine prefix of the tests}"
wineserver=$(dirname "$1")/wineserver
[ -x "$wineserver" ] || wineserver=$(dirname "$1")/wineserver64
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
wine_exec=$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/wine-exec
work=$(mktemp -d "${TMPDIR:-/tmp}/kb_prefix_XXXXXX")
cleanup() {
  WINEPREFIX="$work/prefix" "$wineserver" -k 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
cp -a "$WINEPREFIX" "$work/prefix"
export WINEPREFIX="$work/prefix"
