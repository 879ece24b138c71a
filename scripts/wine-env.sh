# Sourced: the project's Wine settings, and prepare_wine_prefix, which makes
# the prefix once. Tests run without a window manager, where Wine waits for
# one each time a window is hidden (about 2 s per message box); unmanaged
# windows avoid that. WINE_MANAGED_WINDOWS=1 keeps the usual behaviour for a
# desktop session.
wine_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$wine_root/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

prepare_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    if [ "${WINE_MANAGED_WINDOWS:-0}" != 1 ]; then
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    fi
    wineserver -w
  fi
}
