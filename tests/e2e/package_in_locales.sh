#!/usr/bin/env bash
# Unpacks a release zip as a user would and runs the unpacked-release test in it, once in a
# German and once in an English locale, in a copy of the tests' Wine prefix with a wineserver
# of its own; removes both afterwards.
#   package_in_locales.sh <wine loader> <driver.exe> <release.zip>
set -uo pipefail
wine_loader=$1
driver=$2
zip=$3
. "$(dirname "$0")/prefix_copy.sh" "$wine_loader"
mkdir "$work/unpacked" "$work/locales"
(cd "$work/unpacked" && cmake -E tar xf "$zip") || { echo "cannot unpack $zip"; exit 1; }
# The locales, compiled into a folder of the test's own: the machine need not have them.
status=0
for locale in de_DE en_US; do
  localedef -i "$locale" -f UTF-8 "$work/locales/$locale.UTF-8" ||
    { echo "cannot make the locale $locale"; exit 1; }
  echo "== $locale"
  LOCPATH="$work/locales" LC_ALL="$locale.UTF-8" LANG="$locale.UTF-8" \
    KB_UNPACKED="Z:${work//\//\\}\\unpacked" "$wine_exec" "$wine_loader" "$driver" || status=1
  # The next locale in a wineserver of its own, as after a new sign-in.
  "$wineserver" -k 2>/dev/null
  "$wineserver" -w
done
exit $status
