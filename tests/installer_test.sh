#!/usr/bin/env bash
# Installs the reader silently in a fresh Wine prefix, starts it from the installed place,
# uninstalls it silently and checks that no files and no uninstall entry stay behind, while the
# reader's settings do.
set -euo pipefail
exe=$1
work=$2
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
export WINEDEBUG=-all
export WINEPREFIX="$work/prefix"
wine=/usr/lib/wine/wine64
fail() { echo "FAIL: $*" >&2; exit 1; }
cleanup() { /usr/lib/wine/wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"; }
trap cleanup EXIT

rm -rf "$work"
mkdir -p "$work"
setup="$work/quillmere-test-setup.exe"
makensis -V1 -DEXE="$exe" -DREADME="$root/tools/installer/README.txt" -DOUTFILE="$setup" \
  "$root/tools/installer/quillmere.nsi" >/dev/null
"$here/wine-prefix" "$WINEPREFIX" >/dev/null

"$wine" "$setup" /S
/usr/lib/wine/wineserver -w
installed=$(find "$WINEPREFIX/drive_c/users" -path '*AppData/Local/Programs/Quillmere' -type d | head -n 1)
[ -n "$installed" ] || fail "no install folder under AppData\\Local\\Programs"
for f in quillmere.exe README.txt uninstall.exe; do
  [ -f "$installed/$f" ] || fail "missing $f after install"
done
grep -q 'Uninstall\\\\Quillmere\]' "$WINEPREFIX/user.reg" || fail "no uninstall entry in HKCU"
find "$WINEPREFIX/drive_c/users" -name 'Quillmere.lnk' | grep -q . || fail "no Start-menu shortcut"
echo "installed to $installed"

# The reader starts from the installed place and keeps running until it is ended.
set +e
timeout 10 xvfb-run -a "$wine" "$installed/quillmere.exe"
rc=$?
set -e
[ "$rc" -eq 124 ] || fail "the installed reader exited early (status $rc)"
/usr/lib/wine/wineserver -k 2>/dev/null || true

# Settings of the reader must survive an uninstall.
"$wine" reg add 'HKCU\Software\Tarnwick\Quillmere - 5770 (yid)' /v Lesson /t REG_DWORD /d 12 /f >/dev/null
/usr/lib/wine/wineserver -w
"$wine" "$installed/uninstall.exe" /S
/usr/lib/wine/wineserver -w
sleep 1
[ ! -e "$installed" ] || fail "files left after uninstall: $(ls -A "$installed")"
grep -q 'Uninstall\\\\Quillmere\]' "$WINEPREFIX/user.reg" && fail "uninstall entry left behind"
find "$WINEPREFIX/drive_c/users" -name 'Quillmere.lnk' | grep -q . && fail "shortcut left behind"
grep -q 'Quillmere - 5770 (yid)\]' "$WINEPREFIX/user.reg" || fail "settings were removed"
echo "1 passed, 0 failed"
