# Sourced by the Windows tests: wine in a prefix of its own inside the build
# folder, quiet, under a UTF-8 locale (or Japanese arguments arrive garbled),
# and without a display unless the caller brings one.
# Needs: out (the build-windows folder).
export WINEPREFIX=$out/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installer prompts
export LANG=C.UTF-8 LC_ALL=C.UTF-8
wine_ready() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Making the wine prefix (once)"
    wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
}
# Windows' Japanese UI fonts drawn with Debian's IPAPGothic.
wine_japanese_fonts() {
  local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
  for face in "Yu Gothic UI" "Meiryo UI" "MS UI Gothic"; do
    wine reg add "$key" /v "$face" /d IPAPGothic /f >/dev/null
  done
}
