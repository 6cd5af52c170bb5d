#!/usr/bin/env bash
# scripts/check-shipping must refuse an image that imports a function newer
# than Windows 4.0 (GetTickCount64, which winpthreads pulls in), one linked for
# a newer subsystem, and one importing a DLL the allowlist does not know; and
# pass an image that imports only allowed functions.
#   check_shipping_test.sh SOURCE_DIR WORK_DIR
set -euo pipefail
source_dir=$1
work=$2
rm -rf "$work"
mkdir -p "$work/good/bin" "$work/newer/bin" "$work/subsystem/bin" "$work/dll/bin"
cc=i686-w64-mingw32-gcc-win32
for4=(-Wl,--major-os-version,4 -Wl,--minor-os-version,0 -Wl,--major-subsystem-version,4 -Wl,--minor-subsystem-version,0)

cat >"$work/good.c" <<'C'
#include <windows.h>
int main(void) { Sleep(0); return 0; }
C
cat >"$work/newer.c" <<'C'
#include <windows.h>
__declspec(dllimport) ULONGLONG WINAPI GetTickCount64(void);
int main(void) { return (int)GetTickCount64() & 1; }
C
cat >"$work/dll.c" <<'C'
#include <windows.h>
#include <winhttp.h>
int main(void) { return WinHttpCheckPlatform() ? 0 : 1; }
C
$cc -O1 -o "$work/good/bin/good.exe" "$work/good.c" "${for4[@]}"
$cc -O1 -o "$work/newer/bin/newer.exe" "$work/newer.c" "${for4[@]}"
$cc -O1 -o "$work/subsystem/bin/good.exe" "$work/good.c" -Wl,--major-subsystem-version,6 -Wl,--minor-subsystem-version,0
$cc -O1 -o "$work/dll/bin/dll.exe" "$work/dll.c" -lwinhttp "${for4[@]}"

check() { "$source_dir/scripts/check-shipping" "$1" >"$work/out" 2>&1; }
fail=0
expect_refused() {
  local tree=$1 pattern=$2
  if check "$tree"; then
    echo "FAIL: $tree passed"; cat "$work/out"; fail=1
  elif ! grep -q "$pattern" "$work/out"; then
    echo "FAIL: $tree refused without naming $pattern"; cat "$work/out"; fail=1
  fi
}
check "$work/good" || { echo "FAIL: an image of allowed imports was refused"; cat "$work/out"; fail=1; }
expect_refused "$work/newer" "GetTickCount64"
expect_refused "$work/subsystem" "not a PE32 image for Windows 4.0"
expect_refused "$work/dll" "winhttp.dll"
[ $fail -eq 0 ] && echo "check-shipping: 4 passed, 0 failed"
exit $fail
