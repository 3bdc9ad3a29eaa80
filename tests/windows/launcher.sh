#!/usr/bin/env bash
# launcher.exe, started under wine from a folder of a drive whose root is a
# gallery's, asks the shell to open that drive's "vornami/vornamitop.html"
# and ends with 0 at once, without a window of its own (a GUI-subsystem
# program). A stand-in for the browser (cmd writing its argument to a file)
# is registered for .html pages in the test prefix (HKEY_CLASSES_ROOT: wine
# does not read HKCU's classes for the shell's associations).
# Usage: launcher.sh BUILD_WINDOWS_DIR
set -euo pipefail
out=$1
here=$(cd "$(dirname "$0")/../.." && pwd)
. "$here/tests/windows/wine-env.sh"
launcher=$out/build/bin/launcher.exe
headers=$(x86_64-w64-mingw32-objdump -p "$launcher")
grep -q '^Subsystem.*(Windows GUI)' <<<"$headers" ||
  { echo "FAIL: launcher.exe is not a GUI-subsystem program"; exit 1; }

work=$(mktemp -d)
trap 'rm -f "$WINEPREFIX/dosdevices/v:"; rm -rf "$work"' EXIT
mkdir -p "$work/disc/vornami" "$work/disc/some/folder"
echo '<html></html>' >"$work/disc/vornami/vornamitop.html"
ln -sfn "$work/disc" "$WINEPREFIX/dosdevices/v:"
record=$(winepath -w "$work/opened.txt")
wine reg add 'HKCR\.html' /ve /d VornamiTestPage /f >/dev/null
wine reg add 'HKCR\VornamiTestPage\shell\open\command' /ve \
  /d "C:\\windows\\system32\\cmd.exe /c echo %1> \"$record\"" /f >/dev/null
status=0
wine cmd /c "cd /d V:\\some\\folder && $(winepath -w "$launcher")" || status=$?
wineserver -w
wine reg delete 'HKCR\.html' /f >/dev/null
wine reg delete 'HKCR\VornamiTestPage' /f >/dev/null
opened=$(tr -d '\r' <"$work/opened.txt" 2>/dev/null | sed 's/ *$//') || true
echo "launcher: exit $status, the shell was asked to open: $opened"
[ "$status" -eq 0 ] || { echo "FAIL: exit status $status"; exit 1; }
case $opened in
  'V:/vornami/vornamitop.html' | 'V:\vornami\vornamitop.html') ;;
  *) echo "FAIL: expected V:/vornami/vornamitop.html"; exit 1 ;;
esac
