# Shared by the run, test and wine-exec scripts: choosing the Wine loader and preparing a prefix.
# Sourced, not run.

# The Wine loader for a PE file: wine64 for x86-64 images, the 32-bit loader for i386 images.
korvane_wine_loader_for() {
  local exe=$1 off machine
  off=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
  machine=$(od -An -tx2 -j$((off + 4)) -N2 "$exe" | tr -d ' ')
  case "$machine" in
    8664) echo /usr/lib/wine/wine64 ;;
    014c) echo /usr/lib/wine/wine ;;
    *) echo "unknown PE machine '$machine' in $exe" >&2; return 1 ;;
  esac
}

# True when this kernel runs 32-bit programs (some kernels boot with ia32 emulation off).
korvane_can_run_32bit() {
  [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

korvane_wine_env() {
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
}

# Makes the prefix in $WINEPREFIX once; a lock keeps parallel callers from making it twice.
korvane_prepare_prefix() {
  local loader=$1
  korvane_wine_env
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.korvane-ready" ]; then
      WINEARCH=win64 "$loader" wineboot -i >/dev/null 2>&1 || true
      /usr/lib/wine/wineserver -w || true
      [ -f "$WINEPREFIX/system.reg" ] || { echo "could not make the Wine prefix $WINEPREFIX" >&2; exit 1; }
      touch "$WINEPREFIX/.korvane-ready"
    fi
    if [ ! -f "$WINEPREFIX/.korvane-unmanaged" ]; then
      # The tests' windows are not handed to a window manager: the X display of the tests has none, and
      # Wine would wait two seconds for one at every hide of a window. Wine then draws the frames itself.
      "$loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
      touch "$WINEPREFIX/.korvane-unmanaged"
    fi
  ) 9>"$WINEPREFIX.lock"
}

# For test prefixes: a crashing test prints Wine's backtrace and ends, instead of waiting for someone to
# close the crash dialog on a display that nobody looks at.
korvane_quiet_crashes() {
  local loader=$1
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.korvane-quiet-crashes" ]; then
      "$loader" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
      touch "$WINEPREFIX/.korvane-quiet-crashes"
    fi
  ) 9>"$WINEPREFIX.lock"
}
