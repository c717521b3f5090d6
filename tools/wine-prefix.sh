# Sourced by the scripts that run the Windows build under Wine (tools/wine-run.sh,
# tools/e2e.sh): `wine_prefix DIR` makes a fresh prefix in DIR and exports what
# wine needs to use it. The prefix has no debug output, no .NET or Internet
# Explorer installers, and windows that no window manager manages (without one,
# destroying a managed window waits two seconds), so Wine draws their frames
# itself, with its Marlett font for the title-bar buttons. Takes about 13 s.
# The prefix is a 64-bit one; with wine32 installed beside wine64 it runs both
# the 32-bit and the 64-bit program, Wine picking the loader by the program's type.
. "$(dirname "${BASH_SOURCE[0]}")/need.sh"
need wine wine wineboot wine wineserver wine64
wine_prefix() {
  # Debian's wine starts the 32-bit loader first whenever wine32 is there.
  if dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed' &&
    ! "$(dirname "${BASH_SOURCE[0]}")/runs-32-bit.sh"; then
    echo "wine: wine32 is installed but cannot run here, and stops every program; remove it" >&2
    return 1
  fi
  export WINEPREFIX="$1" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  wineboot -i >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
}
