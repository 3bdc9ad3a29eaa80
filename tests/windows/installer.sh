#!/usr/bin/env bash
# The installer under wine, silently (/S) and without administrator rights:
# it lays the programs under %LOCALAPPDATA%\Programs\Vornami, adds the
# Start-menu entry and the Apps & features entry (version, publisher); the
# uninstaller (/S) removes all three again.
# Usage: installer.sh BUILD_WINDOWS_DIR
set -euo pipefail
out=$1
here=$(cd "$(dirname "$0")/../.." && pwd)
. "$here/tests/windows/wine-env.sh"
setup=$(ls "$out"/vornami-*-setup.exe)
version=$(basename "$setup" | sed 's/^vornami-\(.*\)-setup\.exe$/\1/')
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vornami'
local_app=$(winepath -u "$(wine cmd /c 'echo %LOCALAPPDATA%' | tr -d '\r')")
start_menu=$(winepath -u "$(wine cmd /c 'echo %APPDATA%' | tr -d '\r')")
start_menu="$start_menu/Microsoft/Windows/Start Menu/Programs"
dir=$local_app/Programs/Vornami
fail() {
  echo "FAIL: $*"
  exit 1
}
entry() { wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | awk -v k="$1" '$1 == k {$1=$2=""; sub(/^ */, ""); print}'; }

wine "$setup" /S
wineserver -w
for f in vornami-batch.exe vornami-decode.exe launcher.exe README.txt LICENSE.txt uninstall.exe \
  gallery_template/vornami/vornamitop.html; do
  [ -f "$dir/$f" ] || fail "not installed: $f"
done
[ -f "$start_menu/Vornami.lnk" ] || fail "no Start-menu entry"
[ "$(entry DisplayVersion)" = "$version" ] || fail "DisplayVersion is '$(entry DisplayVersion)'"
[ "$(entry Publisher)" = "Vornami developers" ] || fail "Publisher is '$(entry Publisher)'"
(cd "$dir" && wine ./vornami-batch.exe --version | tr -d '\r' | grep -qx "vornami-batch $version") ||
  fail "the installed vornami-batch does not run"

wine "$dir/uninstall.exe" /S
wineserver -w
[ ! -e "$dir" ] || fail "left behind: $(cd "$dir" && find . | head)"
[ ! -e "$start_menu/Vornami.lnk" ] || fail "the Start-menu entry is left"
! wine reg query "$key" >/dev/null 2>&1 || fail "the Apps & features entry is left"
echo "installer: installed into $dir and removed again"
