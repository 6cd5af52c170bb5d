#!/usr/bin/env bash
# The virtual notebook across restarts of its Wine server (wineserver -k, as
# when the last program of the prefix ends): the settings and armed faults
# come back, a damaged save is ignored with the factory state until a change
# is saved over it, a save file that cannot be written is said and tried
# again, and an auto-start service that opens \\.\hotkey at its start
# (Pressmon's test build) finds the driver. Leaves the prefix running, at the
# factory state.
#   machine_restart_test.sh SOURCE_DIR TREE
set -uo pipefail
source "$(dirname "$0")/prefix_test.sh" "$1" "$2"
save_file=$WINEPREFIX/drive_c/windows/virtualnotebook.dat
service_key='HKLM\System\CurrentControlSet\Services\Hotkey'

# As a new session starts the prefix: a persistent server, Wine's own
# processes started with no pipe of ours (ctest would wait for them), and so
# the system-start driver and the auto-start services. Each step is bounded,
# so that a hang fails the test with its name instead of running into
# ctest's limit.
restart() {
  wineserver -k </dev/null >/dev/null 2>&1
  timeout 60 wineserver -w </dev/null >/dev/null 2>&1 || fail "the Wine server did not end within 60 s"
  wineserver -p </dev/null >/dev/null 2>&1
  timeout 120 wine wineboot </dev/null >/dev/null 2>&1 || fail "wineboot did not finish within 120 s"
}

expect_shown() {
  local shown
  shown=$(machinesim show)
  for line in "$@"; do
    grep -qxF "$line" <<<"$shown" || fail "after the restart show has no '$line'"
  done
}

seam_log=$tree/bin/pressmon-seam.log
rm -f "$seam_log"

# 1. Settings and armed faults survive; a value out of its range is refused.
machinesim reset || fail reset
machinesim set externalPower=0 batteryPercent=40 powerSourceAnswer=2 batteryFlags=0x10 memoryMegabytes=128 ||
  fail set
machinesim set memoryMegabytes=4096 && fail "a memory of 4096 MiB was taken"
machinesim battery hold || fail "battery hold"
machinesim fail GetCurDisplay 3 || fail "fail GetCurDisplay 3"
restart
expect_shown externalPower=0 batteryPercent=40 powerSourceAnswer=0x0002 batteryFlags=0x10 batteryHeld=1 \
  memoryMegabytes=128 savedSettings=restored
machinesim fail --list | grep -qxF "GetCurDisplay 3" || fail "the armed fault was lost"

# 2. A damaged save (cut short) leaves the factory state, and show says so
# until a change is saved over it.
[ -f "$save_file" ] || fail "no save file at $save_file"
truncate -s 100 "$save_file"
restart
expect_shown externalPower=1 batteryPercent=100 powerSourceAnswer=0xFFFF batteryHeld=0 memoryMegabytes=64 \
  "savedSettings=damaged (ignored: factory state)"
machinesim fail --list | grep -qxF "no faults armed" || fail "faults armed after a damaged save"
machinesim set batteryPercent=90 batteryHeld=1 || fail "set after the damaged save"
expect_shown batteryPercent=90 savedSettings=saved

# 3. A save file that cannot be written (immutable, or a directory in its
# place): the change is made but show says it is not saved, and the save is
# tried again once the file can be written, before a restart would lose it.
unwritable() {
  case $1 in
    immutable) chattr +i "$save_file" 2>/dev/null || chmod a-w "$save_file" ;;
    directory) rm -f "$save_file" && mkdir "$save_file" ;;
  esac
}
writable() {
  case $1 in
    immutable) chattr -i "$save_file" 2>/dev/null; chmod u+w "$save_file" ;;
    directory) rmdir "$save_file" ;;
  esac
}
percent=31
for how in immutable directory; do
  unwritable $how || fail "$how: cannot make the save file unwritable"
  machinesim set batteryPercent=$percent || fail "$how: set"
  shown=$(machinesim show)
  grep -q '^savedSettings=not saved (' <<<"$shown" ||
    fail "$how: show does not say the settings are not saved: $(grep savedSettings <<<"$shown")"
  writable $how
  expect_shown batteryPercent=$percent savedSettings=saved
  restart
  expect_shown batteryPercent=$percent savedSettings=restored
  percent=$((percent + 1))
done

# 4. An auto-start service that needs the hot-key driver at its start.
for group in Function Number Playstation Shutdown; do
  wine reg add "$service_key" /v $group /t REG_SZ /d 1 /f >/dev/null 2>&1
done
wine reg add "$service_key" /v PollingTime /t REG_DWORD /d 10 /f >/dev/null 2>&1
"$source_dir/scripts/wine" "$tree/bin/PressmonUnderTest.exe" -install </dev/null >/dev/null 2>&1
restart
state=
for _ in $(seq 1 45); do
  state=$(wine_capture wine sc query HotkeyService | grep -o 'STATE.*' || true)
  [[ "$state" == *RUNNING* || "$state" == *STOPPED* ]] && break
  sleep 1
done
[[ "$state" == *RUNNING* ]] || fail "the auto-start service is not running after the restart: $state"
setups=$(machinesim hotkey | grep '^setups=' | cut -d= -f2)
[ "${setups:-0}" -ge 1 ] || fail "the service sent the driver no set-up (setups=${setups:-?})"
if [ -s "$seam_log" ]; then fail "the service showed a message: $(cat "$seam_log")"; fi

# Clean up: the service gone, the factory state, the prefix running.
"$source_dir/scripts/wine" "$tree/bin/PressmonUnderTest.exe" -remove </dev/null >/dev/null 2>&1
wine reg delete "$service_key" /f >/dev/null 2>&1
machinesim reset || fail reset
finish
