# Sourced by the Wine helpers: where the build's Wine lives and how it is started.
# SPV_WINE_DIR holds the prefix, the virtual display's number and its process id.
: "${SPV_WINE_DIR:?SPV_WINE_DIR must name the Wine folder of a build tree}"
export WINEPREFIX="$SPV_WINE_DIR/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
[ -x "$WINE64" ] || WINE64=$(command -v wine64 || command -v wine)
[ -x "$WINESERVER" ] || WINESERVER=$(command -v wineserver)

# Makes the prefix on first use. Its windows are not left to a window manager: the test
# display has none, and the program draws its own frame anyway. (A managed window would
# wait for a manager on every show and hide, and get no frame drawn without one.)
spv_wine_prefix() {
  [ -f "$WINEPREFIX/system.reg" ] && return 0
  echo "wine: making the prefix $WINEPREFIX"
  mkdir -p "$SPV_WINE_DIR"
  "$WINE64" wineboot -i >/dev/null 2>&1
  "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
  # A program that crashes ends at once with its exit code, so a failing test fails the run
  # instead of waiting for the crash debugger for ever.
  "$WINE64" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d '' /f >/dev/null 2>&1
  "$WINE64" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /d 0 /f >/dev/null 2>&1
  "$WINESERVER" -w
  [ -f "$WINEPREFIX/system.reg" ]
}
