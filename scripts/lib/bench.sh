# The Wine bench: a private 32-bit prefix, Xvfb (or the caller's display), a virtual
# desktop of 1024x768 and a wineserver kept alive for the run. Source it, then call
# bench_start; bench_stop runs on exit and stops exactly what bench_start started.

BENCH_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
# VELMORA_BUILD names the build whose programs the bench runs: win32 (the default) or win64.
# The 64-bit build runs in 64-bit prefixes, started by Wine's 64-bit loader by name: Debian's
# `wine` takes the 32-bit loader whenever wine32 is installed, and a machine that runs no
# 32-bit code fails it. The bench's own `wine` comes first on the PATH, so that wineboot and
# the tests' child programs follow.
export VELMORA_BUILD="${VELMORA_BUILD:-win32}"
case "$VELMORA_BUILD" in
  win32) ;;
  win64)
    VELMORA_WINEARCH=win64
    export WINELOADER=/usr/lib/wine/wine64
    bench_bin="$BENCH_ROOT/build/wine64-bin"
    if [ ! -x "$bench_bin/wine-stable" ]; then
      mkdir -p "$bench_bin"
      printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$bench_bin/wine"
      cp "$bench_bin/wine" "$bench_bin/wine-stable"
      chmod +x "$bench_bin/wine" "$bench_bin/wine-stable"
    fi
    case ":$PATH:" in *":$bench_bin:"*) ;; *) export PATH="$bench_bin:$PATH" ;; esac
    ;;
  *) echo "bench: VELMORA_BUILD must be win32 or win64" >&2; exit 2 ;;
esac
BENCH_BIN="$BENCH_ROOT/build/$VELMORA_BUILD/bin"
# VELMORA_WINEARCH=win64 runs the bench in a 64-bit prefix of its own, where the 32-bit
# programs run as they do on 64-bit Windows (WoW64).
export WINEARCH="${VELMORA_WINEARCH:-win32}"
if [ "$WINEARCH" = win64 ]; then
  export WINEPREFIX="${VELMORA_WINEPREFIX:-$BENCH_ROOT/build/wineprefix64}"
else
  export WINEPREFIX="${VELMORA_WINEPREFIX:-$BENCH_ROOT/build/wineprefix}"
fi
# VELMORA_LOCALE=ja runs it under ja_JP.UTF-8, in a prefix of its own: the system's ANSI
# code page is then 932, as on Japanese Windows. The tests read the variable to know
# which branch of the code-page rules they must see.
if [ "${VELMORA_LOCALE:-}" = ja ]; then
  export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
  WINEPREFIX="${VELMORA_WINEPREFIX:-$WINEPREFIX-ja}"
  BENCH_SUFFIX=-ja
elif [ -n "${VELMORA_LOCALE:-}" ]; then
  echo "bench: unknown VELMORA_LOCALE ${VELMORA_LOCALE} (ja or none)" >&2
  exit 2
fi
export VELMORA_LOCALE="${VELMORA_LOCALE:-}"
# VELMORA_DPI=144 runs it at a display scale of 150 % (LogPixels 144, as a laptop is
# commonly set), in a prefix of its own. The tests read the variable for the scale they
# must see.
if [ -n "${VELMORA_DPI:-}" ] && [ "${VELMORA_DPI}" != 96 ]; then
  case "$VELMORA_DPI" in
    *[!0-9]*) echo "bench: VELMORA_DPI must be a number of dots per inch" >&2; exit 2 ;;
  esac
  WINEPREFIX="${VELMORA_WINEPREFIX:-$WINEPREFIX-${VELMORA_DPI}dpi}"
  BENCH_SUFFIX="${BENCH_SUFFIX:-}-${VELMORA_DPI}dpi"
else
  VELMORA_DPI=96
fi
export VELMORA_DPI
# VELMORA_MONITORS=2 runs it on an X server with two monitors side by side (1024x768 at
# 0,0, the primary, and 800x600 at 1024,0) under Xinerama, in a prefix of its own without
# Wine's virtual desktop, which has one monitor only. Xvfb cannot give two: Xorg with its
# dummy video driver does.
if [ "${VELMORA_MONITORS:-1}" = 2 ]; then
  WINEPREFIX="${VELMORA_WINEPREFIX:-$WINEPREFIX-2mon}"
  BENCH_SUFFIX="${BENCH_SUFFIX:-}-2mon"
elif [ "${VELMORA_MONITORS:-1}" != 1 ]; then
  echo "bench: VELMORA_MONITORS must be 1 or 2" >&2
  exit 2
fi
export VELMORA_MONITORS="${VELMORA_MONITORS:-1}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
BENCH_LOGS="$BENCH_ROOT/build/bench-$WINEARCH${BENCH_SUFFIX:-}"
BENCH_PIDS=()
BENCH_STARTED=""

bench_free_display() {
  local n
  for n in $(seq 91 160); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
      echo "$n"
      return 0
    fi
  done
  return 1
}

bench_wait() {  # bench_wait SECONDS COMMAND...: polls COMMAND until it succeeds
  local limit=$(( $1 * 10 )); shift
  local i
  for ((i = 0; i < limit; i++)); do
    if "$@" >/dev/null 2>&1; then return 0; fi
    sleep 0.1
  done
  return 1
}

bench_start() {
  local show="${1:-}"
  mkdir -p "$BENCH_LOGS"
  trap bench_stop EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
  if [ -z "$show" ]; then
    local n
    n="$(bench_free_display)" || { echo "bench: no free X display" >&2; return 1; }
    if [ "$VELMORA_MONITORS" = 2 ]; then
      bench_two_monitors_config >"$BENCH_LOGS/xorg.conf"
      Xorg ":$n" -config "$BENCH_LOGS/xorg.conf" -noreset -nolisten tcp \
        -logfile "$BENCH_LOGS/xorg.log" >"$BENCH_LOGS/xorg.out" 2>&1 &
    else
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -ac >"$BENCH_LOGS/xvfb.log" 2>&1 &
    fi
    BENCH_PIDS+=($!)
    export DISPLAY=":$n"
    bench_wait 20 test -e "/tmp/.X11-unix/X$n" || { echo "bench: the X server did not start" >&2; return 1; }
  elif [ -z "${DISPLAY:-}" ]; then
    echo "bench: --show needs a DISPLAY" >&2
    return 1
  fi
  BENCH_STARTED=1
  bench_derive_prefix
  wineserver -p >"$BENCH_LOGS/wineserver.log" 2>&1
  if [ ! -f "$WINEPREFIX/.velmora-bench" ]; then
    echo "bench: booting the Wine prefix $WINEPREFIX (once)"
    wineboot -i >"$BENCH_LOGS/wineboot.log" 2>&1
    if [ "$VELMORA_MONITORS" = 1 ]; then
      wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >>"$BENCH_LOGS/wineboot.log" 2>&1
      wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >>"$BENCH_LOGS/wineboot.log" 2>&1
    fi
    # No crash dialog: a fault must end the test program, not wait for a click.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >>"$BENCH_LOGS/wineboot.log" 2>&1
    if [ "$VELMORA_DPI" != 96 ]; then
      wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$VELMORA_DPI" /f >>"$BENCH_LOGS/wineboot.log" 2>&1
    fi
    touch "$WINEPREFIX/.velmora-bench"
  fi
  # Debian's Wine does not find its own Marlett in /usr/share/wine/fonts: without it the
  # caption buttons read "0 1 r". A copy in the prefix's Fonts folder is found.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ ! -f "$fonts/marlett.ttf" ] && [ -f /usr/share/wine/fonts/marlett.ttf ]; then
    mkdir -p "$fonts" && cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
  fi
  if [ ! -f "$WINEPREFIX/.velmora-fonts" ]; then
    bench_font_replacements >>"$BENCH_LOGS/wineboot.log" 2>&1 && touch "$WINEPREFIX/.velmora-fonts"
  fi
  # Services and the virtual desktop start now, their output to a file: a background
  # process that inherited a test's pipe would hold it open for the wineserver's life.
  wineboot >>"$BENCH_LOGS/wineboot.log" 2>&1 </dev/null
  if [ "$VELMORA_MONITORS" = 2 ]; then return 0; fi  # the X server's own desktop
  wine explorer.exe /desktop=Default,1024x768 >"$BENCH_LOGS/explorer.log" 2>&1 </dev/null &
  BENCH_PIDS+=($!)
  # A first boot (the 64-bit prefix above all) brings the desktop up late.
  bench_wait 60 bench_desktop_ready || echo "bench: warning: desktop not seen" >&2
}

# A variant (display scale, two monitors, the Japanese locale) starts as a copy of the
# booted Western prefix of its architecture with its own settings applied: a boot costs a
# minute, a copy seconds. Without a booted Western prefix the variant boots as any does.
bench_derive_prefix() {
  local base="$BENCH_ROOT/build/wineprefix"
  [ "$WINEARCH" = win64 ] && base="$BENCH_ROOT/build/wineprefix64"
  [ "$WINEPREFIX" != "$base" ] || return 0
  [ ! -e "$WINEPREFIX" ] && [ -f "$base/.velmora-bench" ] || return 0
  echo "bench: making the Wine prefix $WINEPREFIX from $base"
  WINEPREFIX="$base" wineserver -w >/dev/null 2>&1 || true  # the base is idle
  cp -a "$base" "$WINEPREFIX.tmp" && mv "$WINEPREFIX.tmp" "$WINEPREFIX" || return 1
  wineserver -p >"$BENCH_LOGS/wineserver.log" 2>&1
  if [ "$VELMORA_MONITORS" = 2 ]; then
    wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >>"$BENCH_LOGS/wineboot.log" 2>&1
  fi
  if [ "$VELMORA_DPI" != 96 ]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$VELMORA_DPI" /f >>"$BENCH_LOGS/wineboot.log" 2>&1
  fi
  # The session that wrote them began with the copy's desktop: the bench's starts afresh.
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
}

# Two dummy screens, the second right of the first, joined by Xinerama; no input devices
# (Wine's SendInput does not go through the X server).
bench_two_monitors_config() {
  local i size mode
  printf 'Section "ServerFlags"\n  Option "Xinerama" "on"\n  Option "AutoAddDevices" "off"\n  Option "AutoEnableDevices" "off"\n  Option "DontVTSwitch" "true"\nEndSection\n'
  for i in 0 1; do
    if [ $i = 0 ]; then
      size="1024 768"; mode='"1024x768" 65.00 1024 1048 1184 1344 768 771 777 806 -hsync -vsync'
    else
      size="800 600"; mode='"800x600" 40.00 800 840 968 1056 600 601 605 628 +hsync +vsync'
    fi
    printf 'Section "Device"\n  Identifier "d%s"\n  Driver "dummy"\n  VideoRam 32768\nEndSection\n' $i
    printf 'Section "Monitor"\n  Identifier "m%s"\n  HorizSync 5.0 - 1000.0\n  VertRefresh 5.0 - 200.0\n  Modeline %s\nEndSection\n' $i "$mode"
    printf 'Section "Screen"\n  Identifier "s%s"\n  Device "d%s"\n  Monitor "m%s"\n  DefaultDepth 24\n  SubSection "Display"\n    Depth 24\n    Modes "%s"\n    Virtual %s\n  EndSubSection\nEndSection\n' $i $i $i "${size/ /x}" "$size"
  done
  printf 'Section "ServerLayout"\n  Identifier "layout"\n  Screen 0 "s0"\n  Screen 1 "s1" RightOf "s0"\nEndSection\n'
}

# The dialogs' face "ＭＳ Ｐゴシック" (and its Latin name) resolve to Debian's IPA P Gothic,
# so screenshots show what a user sees. The .reg file is UTF-16, whatever the locale.
bench_font_replacements() {
  local reg="$BENCH_LOGS/fonts.reg" jp
  jp=$(printf '\357\274\255\357\274\263 \357\274\260\343\202\264\343\202\267\343\203\203\343\202\257')
  printf '\xef\xbb\xbfWindows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"%s"="IPAPGothic"\r\n"MS PGothic"="IPAPGothic"\r\n"MS UI Gothic"="IPAPGothic"\r\n' "$jp" |
    iconv -f UTF-8 -t UTF-16LE >"$reg"
  wine regedit /S "$reg"
}

bench_desktop_ready() {
  xwininfo -root -tree 2>/dev/null | grep -q '1024x768'
}

bench_stop() {
  local status=$?
  if [ -n "$BENCH_STARTED" ]; then
    wineserver -k >/dev/null 2>&1 || true
    BENCH_STARTED=""
  fi
  local p
  for p in "${BENCH_PIDS[@]}"; do
    kill "$p" >/dev/null 2>&1 || true
  done
  for p in "${BENCH_PIDS[@]}"; do
    wait "$p" >/dev/null 2>&1 || true
  done
  BENCH_PIDS=()
  return $status
}
