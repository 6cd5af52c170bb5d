#!/usr/bin/env bash
# The installer in the tree's own Wine prefix: a silent install lays down the
# files, the shared key's command lines, the applet, the Startup shortcuts and
# the running hot-key service; a second install over it changes nothing; the
# uninstall stops and removes all of it.
#   installer_test.sh TREE INSTALLER
set -uo pipefail
tree=$1
installer=$2
export WINEPREFIX="$tree/wineprefix"
export WINEDEBUG=-all
drive="$WINEPREFIX/drive_c"
folder="$drive/Program Files/Merovant"
startup="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/StartUp"
config='HKLM\SOFTWARE\Merovant\Configuration Utility'
passed=0
failed=0

check() {  # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@" >/dev/null 2>&1; then
    passed=$((passed + 1))
  else
    echo "FAILED: $what"
    failed=$((failed + 1))
  fi
}
source_dir="$(dirname "${BASH_SOURCE[0]}")/../.."
source "$source_dir/scripts/wine-capture.sh"
equals() { [ "$1" = "$2" ] || { echo "  got '$1', wanted '$2'"; return 1; }; }
lnk_field() { lnkinfo "$1" 2>/dev/null | awk -F'\t+: ' -v f="$2" 'index($0, f) { print $2; exit }' | sed 's/^[[:space:]]*//'; }
service_state() { wine_capture wine sc query HotkeyService | awk '/STATE/ { print $4 }'; }
# Each deliverable's image and the folder it is installed in (deliverables.txt).
images() {
  grep -v -e '^#' -e '^[[:space:]]*$' "$source_dir/deliverables.txt" | while read -r _ _ _ image place _; do
    case $place in
      program) echo "$folder/$image" ;;
      system) echo "$drive/windows/system32/$image" ;;
      *) echo "deliverables.txt: $image goes to '$place'" >&2 ;;
    esac
  done
}

installed_state() {
  check "seven deliverables" equals "$(images | wc -l)" 7
  while read -r image; do
    check "$image installed" test -f "$image"
  done < <(images)
  check "Program quoted" equals "$(registry_value "$config" Program)" '"C:\Program Files\Merovant\merovant.exe"'
  check "CurrentPath" equals "$(registry_value "$config" CurrentPath)" 'C:\Program Files\Merovant'
  check "Power" equals "$(registry_value "$config" Power)" '"C:\Program Files\Merovant\Corvessa.exe"'
  check "TaskBarPath" equals "$(registry_value "$config" TaskBarPath)" '"C:\Program Files\Merovant\taskbar.exe"'
  check "FuelPath" equals "$(registry_value "$config" FuelPath)" '"C:\Program Files\Merovant\fuel.exe"'
  check "HiberUtility" equals "$(registry_value "$config" HiberUtility)" '"C:\Program Files\Merovant\sorvault.exe"'
  check "HelpPath" equals "$(registry_value "$config" HelpPath)" 'C:\Program Files\Merovant\MEROVANT.HLP'
  check "FuelHelp" equals "$(registry_value "$config" FuelHelp)" 'C:\Program Files\Merovant\FUEL.HLP'
  check "tray launcher shortcut target" equals "$(lnk_field "$startup/Merovant Configuration.lnk" 'Local path')" 'C:\Program Files\Merovant\taskbar.exe'
  check "tray launcher shortcut description" equals "$(lnk_field "$startup/Merovant Configuration.lnk" 'Description')" 'Shortcut to Merovant Configuration '
  check "fuel gauge shortcut target" equals "$(lnk_field "$startup/Fuel Gauge.lnk" 'Local path')" 'C:\Program Files\Merovant\fuel.exe'
  check "fuel gauge shortcut description" equals "$(lnk_field "$startup/Fuel Gauge.lnk" 'Description')" 'Shortcut to Fuel Gauge'
  check "service key" equals "$(registry_value 'HKLM\System\CurrentControlSet\Services\Hotkey' RegistryKey)" 'SOFTWARE\Merovant\Hotkey Panel\Keys'
  check "hot-key service running" equals "$(service_state)" RUNNING
}

check "silent install" timeout 120 wine "$installer" /S
installed_state
check "second install" timeout 120 wine "$installer" /S
installed_state
check "one uninstall entry" equals "$(registry_value 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Merovant' DisplayName)" 'Merovant Notebook Utilities'

check "silent uninstall" timeout 120 wine "$folder/Uninstall.exe" /S
# The uninstaller runs from a copy of itself and returns at once.
for _ in $(seq 1 60); do
  [ -d "$folder" ] || break
  sleep 1
done
check "install folder removed" test ! -e "$folder"
while read -r image; do
  check "$image removed" test ! -e "$image"
done < <(images)
check "shortcuts removed" test ! -e "$startup/Fuel Gauge.lnk" -a ! -e "$startup/Merovant Configuration.lnk"
check "shared key removed" bash -c "! wine reg query 'HKLM\\SOFTWARE\\Merovant'"
check "service key removed" bash -c "! wine reg query 'HKLM\\System\\CurrentControlSet\\Services\\Hotkey'"
check "service removed" test -z "$(service_state)"
check "uninstall entry removed" bash -c "! wine reg query 'HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Merovant'"

echo "installer: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
