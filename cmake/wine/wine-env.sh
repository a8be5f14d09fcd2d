# Sourced by the Wine helpers: where the build's Wine lives and how it is started.
# SPV_WINE_DIR holds the prefix, the virtual display's number and its process id.
# SPV_WINE_ARCH is the prefix's kind: win64 (the default) or win32, a 32-bit Windows run by the
# 32-bit Wine loader.
: "${SPV_WINE_DIR:?SPV_WINE_DIR must name the Wine folder of a build tree}"
export WINEPREFIX="$SPV_WINE_DIR/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH="${SPV_WINE_ARCH:-win64}"
case "$WINEARCH" in
  win64) WINE=/usr/lib/wine/wine64; [ -x "$WINE" ] || WINE=$(command -v wine64 || command -v wine) ;;
  win32) WINE=/usr/lib/wine/wine; [ -x "$WINE" ] || WINE=$(command -v wine) ;;
  *) echo "wine: SPV_WINE_ARCH must be win64 or win32, not $WINEARCH" >&2; return 1 ;;
esac
WINESERVER=/usr/lib/wine/wineserver
[ -x "$WINESERVER" ] || WINESERVER=$(command -v wineserver)

# Makes the prefix on first use, and anew when it is of another kind than asked for: Wine
# would refuse to start in it. Its windows are not left to a window manager: the test
# display has none, and the program draws its own frame anyway. (A managed window would
# wait for a manager on every show and hide, and get no frame drawn without one.)
spv_wine_prefix() {
  if [ -f "$WINEPREFIX/system.reg" ]; then
    grep -qx "#arch=$WINEARCH" "$WINEPREFIX/system.reg" && return 0
    echo "wine: the prefix $WINEPREFIX is not $WINEARCH; making it anew"
    rm -rf "$WINEPREFIX"
  fi
  echo "wine: making the $WINEARCH prefix $WINEPREFIX"
  mkdir -p "$SPV_WINE_DIR"
  "$WINE" wineboot -i >/dev/null 2>&1
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
  # A program that crashes ends at once with its exit code, so a failing test fails the run
  # instead of waiting for the crash debugger for ever.
  "$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d '' /f >/dev/null 2>&1
  "$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /d 0 /f >/dev/null 2>&1
  "$WINESERVER" -w
  [ -f "$WINEPREFIX/system.reg" ]
}
