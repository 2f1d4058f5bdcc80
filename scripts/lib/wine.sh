# A private Wine environment for the Windows builds' tests: a prefix inside the build tree set
# to Windows 10, a virtual X display of its own, and a persistent wineserver for the prefix.
# shellcheck shell=bash

: "${KB_ROOT:?}"
KB_WINE_DIR="$KB_ROOT/build/wine"
export WINEPREFIX="$KB_WINE_DIR/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installers
# Where scripts/lib/wine-exec notes a program that Wine ended before it ran.
export KB_WINE_START_LOG="$KB_WINE_DIR/failed-starts.log"

# Debian's loaders; the `wine` wrapper would pick the 32-bit one even for 64-bit programs.
KB_WINE64=/usr/lib/wine/wine64
KB_WINE32=/usr/lib/wine/wine
KB_WINESERVER=/usr/lib/wine/wineserver64
[ -x "$KB_WINE64" ] || KB_WINE64=$(command -v wine64 || command -v wine)
[ -x "$KB_WINESERVER" ] || KB_WINESERVER=$(command -v wineserver)

kb_xvfb_pid=""
kb_wine_lock_fd=""

# Takes the lock of the Wine environment, waiting for whoever holds it: two scripts that ran
# it at once would stop each other's wineserver.
kb_wine_lock() {
  mkdir -p "$KB_WINE_DIR"
  exec {kb_wine_lock_fd}>"$KB_WINE_DIR/lock"
  if ! flock -n "$kb_wine_lock_fd"; then
    echo "Waiting for another script that runs Wine in $KB_WINE_DIR..." >&2
    flock "$kb_wine_lock_fd"
  fi
}

# Whether this machine runs 32-bit Windows programs: the kernel must run 32-bit Linux ones.
kb_wine_runs_32bit() {
  [ -x "$KB_WINE32" ] && "$KB_WINE32" --version >/dev/null 2>&1
}

# Starts the environment: a virtual X display of its own, unless `keep_display` is given and a
# display is set, which the programs then appear on.
kb_wine_start() {
  kb_wine_lock
  if [ "${1:-}" != keep_display ] || [ -z "${DISPLAY:-}" ]; then
    rm -f "$KB_WINE_DIR/display"
    # Without the lock's descriptor: a display left behind must not hold the lock.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$KB_WINE_DIR/display" \
      >"$KB_WINE_DIR/xvfb.log" 2>&1 {kb_wine_lock_fd}>&- &
    kb_xvfb_pid=$!
    local tries=0
    until [ -s "$KB_WINE_DIR/display" ]; do
      if ! kill -0 "$kb_xvfb_pid" 2>/dev/null || [ $tries -ge 100 ]; then
        echo "Xvfb did not start; see $KB_WINE_DIR/xvfb.log" >&2
        return 1
      fi
      sleep 0.1
      tries=$((tries + 1))
    done
    export DISPLAY=":$(head -n 1 "$KB_WINE_DIR/display")"
  fi

  # A prefix made before 32-bit Wine could run cannot run 32-bit programs: make a new one.
  local wanted
  wanted="$("$KB_WINE64" --version) 32-bit:$(kb_wine_runs_32bit && echo yes || echo no) fonts:1"
  if [ "$(cat "$WINEPREFIX/.kb-prefix" 2>/dev/null)" != "$wanted" ]; then
    echo "Creating the Wine prefix $WINEPREFIX"
    "$KB_WINESERVER" -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    "$KB_WINE64" wineboot -i >"$KB_WINE_DIR/wineboot.log" 2>&1
    "$KB_WINE64" winecfg -v win10 >>"$KB_WINE_DIR/wineboot.log" 2>&1
    # Every program runs on one virtual desktop, which has a taskbar with a notification area.
    "$KB_WINE64" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f \
      >>"$KB_WINE_DIR/wineboot.log" 2>&1
    "$KB_WINE64" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f \
      >>"$KB_WINE_DIR/wineboot.log" 2>&1
    # Wine's own fonts (Tahoma, the dialogs' font; Marlett, the caption buttons' glyphs), which
    # Debian's Wine does not find in its data folder by itself.
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    "$KB_WINESERVER" -w
    echo "$wanted" >"$WINEPREFIX/.kb-prefix"
  fi

  # A persistent server started outside the tests, so that they do not wait for it to start
  # and stop, nor inherit its output pipes.
  "$KB_WINESERVER" -k 2>/dev/null || true
  "$KB_WINESERVER" -p {kb_wine_lock_fd}>&-
  "$KB_WINE64" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

kb_wine_stop() {
  if [ -d "$WINEPREFIX" ]; then
    "$KB_WINESERVER" -k 2>/dev/null || true
  fi
  if [ -n "$kb_xvfb_pid" ]; then
    kill "$kb_xvfb_pid" 2>/dev/null
    wait "$kb_xvfb_pid" 2>/dev/null || true
    kb_xvfb_pid=""
  fi
  if [ -n "$kb_wine_lock_fd" ]; then
    exec {kb_wine_lock_fd}>&-
    kb_wine_lock_fd=""
  fi
}
