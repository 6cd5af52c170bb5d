#!/usr/bin/env bash
# The installer in the tree's own Wine prefix, as a user meets it:
#   - a silent install in German lays down the files, the German help files,
#     the shared key's command lines, the Startup shortcuts, the Start-menu
#     group named in German, the Add/Remove Programs entry and the running
#     hot-key service;
#   - an install in English over the running suite (an upgrade) ends the
#     programs, replaces the help files and the group's shortcuts with the
#     English ones and leaves nothing to be done at the next restart;
#   - the uninstall, with the suite running again and the help reader's files
#     beside the help files, ends the programs and removes all of it at once.
#   installer_test.sh TREE INSTALLER
set -uo pipefail
tree=$1
installer=$2
export WINEPREFIX="$tree/wineprefix"
export WINEDEBUG=-all
drive="$WINEPREFIX/drive_c"
folder="$drive/Program Files/Merovant"
startup="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/StartUp"
group="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Merovant Notebook Utilities"
config='HKLM\SOFTWARE\Merovant\Configuration Utility'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Merovant'
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
help_names() { echo merovant.hlp fuel.hlp Corvessa.hlp; }

# The prefix's processes that run one of the suite's programs from the
# installation folder (the hot-key service, which the installer starts, aside).
suite_processes() {
  local pid
  for pid in $(pgrep -f -i 'C:\\Program Files\\Merovant\\(merovant|taskbar|fuel|Corvessa|sorvault)\.exe'); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && ps -o args= -p "$pid"
  done
}
no_suite_process() { local left; left=$(suite_processes); [ -z "$left" ] || { echo "  still running: $left"; return 1; }; }
# Starts the suite's programs from the installation folder, as the user and
# the Startup shortcuts do, and waits until each one runs.
start_suite() {
  local program
  for program in taskbar.exe fuel.exe merovant.exe Corvessa.exe; do
    wine "C:\\Program Files\\Merovant\\$program" </dev/null >/dev/null 2>&1 &
  done
  for _ in $(seq 1 60); do
    [ "$(suite_processes | wc -l)" -ge 4 ] && break
    sleep 1
  done
  # Their windows, which the installer asks to close.
  sleep 3
  check "the suite runs" equals "$(suite_processes | wc -l)" 4
}
# Nothing left for the next restart: Wine keeps MoveFileEx's delayed
# deletions where Windows NT does.
nothing_pending() {
  ! wine_capture wine reg query 'HKLM\System\CurrentControlSet\Control\Session Manager' /v PendingFileRenameOperations |
    grep -qi merovant
}
# The wait for an uninstaller that runs from a copy of itself and returns at once.
wait_gone() { for _ in $(seq 1 60); do [ -e "$1" ] || return 0; sleep 1; done; return 1; }

installed_state() {  # installed_state LANGID MEROVANT POWER SAVE-TO-DISK UNINSTALL
  local language=$1 name
  check "seven deliverables" equals "$(images | wc -l)" 7
  while read -r image; do
    check "$image installed" test -f "$image"
  done < <(images)
  for name in $(help_names); do
    check "$name in $language" cmp "$folder/$name" "$tree/help/$language/$name"
  done
  check "Program quoted" equals "$(registry_value "$config" Program)" '"C:\Program Files\Merovant\merovant.exe"'
  check "CurrentPath" equals "$(registry_value "$config" CurrentPath)" 'C:\Program Files\Merovant'
  check "Power" equals "$(registry_value "$config" Power)" '"C:\Program Files\Merovant\Corvessa.exe"'
  check "TaskBarPath" equals "$(registry_value "$config" TaskBarPath)" '"C:\Program Files\Merovant\taskbar.exe"'
  check "FuelPath" equals "$(registry_value "$config" FuelPath)" '"C:\Program Files\Merovant\fuel.exe"'
  check "HiberUtility" equals "$(registry_value "$config" HiberUtility)" '"C:\Program Files\Merovant\sorvault.exe"'
  check "HelpPath" equals "$(registry_value "$config" HelpPath)" 'C:\Program Files\Merovant\merovant.hlp'
  check "FuelHelp" equals "$(registry_value "$config" FuelHelp)" 'C:\Program Files\Merovant\fuel.hlp'
  check "tray launcher shortcut target" equals "$(lnk_field "$startup/Merovant Configuration.lnk" 'Local path')" 'C:\Program Files\Merovant\taskbar.exe'
  check "tray launcher shortcut description" equals "$(lnk_field "$startup/Merovant Configuration.lnk" 'Description')" 'Shortcut to Merovant Configuration '
  check "fuel gauge shortcut target" equals "$(lnk_field "$startup/Fuel Gauge.lnk" 'Local path')" 'C:\Program Files\Merovant\fuel.exe'
  check "fuel gauge shortcut description" equals "$(lnk_field "$startup/Fuel Gauge.lnk" 'Description')" 'Shortcut to Fuel Gauge'
  check "group of four shortcuts" equals "$(find "$group" -name '*.lnk' | wc -l)" 4
  check "$2 shortcut" equals "$(lnk_field "$group/$2.lnk" 'Local path')" 'C:\Program Files\Merovant\merovant.exe'
  check "$3 shortcut" equals "$(lnk_field "$group/$3.lnk" 'Local path')" 'C:\Program Files\Merovant\Corvessa.exe'
  check "$4 shortcut" equals "$(lnk_field "$group/$4.lnk" 'Local path')" 'C:\Program Files\Merovant\sorvault.exe'
  check "$5 shortcut" equals "$(lnk_field "$group/$5.lnk" 'Local path')" 'C:\Program Files\Merovant\Uninstall.exe'
  check "service key" equals "$(registry_value 'HKLM\System\CurrentControlSet\Services\Hotkey' RegistryKey)" 'SOFTWARE\Merovant\Hotkey Panel\Keys'
  check "hot-key service running" equals "$(service_state)" RUNNING
  check "uninstall entry" equals "$(registry_value "$uninstall_key" DisplayName)" 'Merovant Notebook Utilities'
  check "publisher" equals "$(registry_value "$uninstall_key" Publisher)" 'Merovant'
  check "version" test -n "$(registry_value "$uninstall_key" DisplayVersion)"
  check "icon" equals "$(registry_value "$uninstall_key" DisplayIcon)" 'C:\Program Files\Merovant\merovant.exe,0'
  check "nothing left for the next restart" nothing_pending
}

check "silent install in German" env LC_ALL=de_DE.UTF-8 timeout 120 wine "$installer" /S
installed_state 1031 "Merovant-Konfiguration" "Energieverwaltung" "Ruhezustand-Dienstprogramm" \
  "Merovant Notebook Utilities deinstallieren"

start_suite
check "install over the running suite" timeout 180 wine "$installer" /S
check "no program left running by the install" no_suite_process
installed_state 1033 "Merovant Configuration" "Power Management" "Hibernation Utility" \
  "Uninstall Merovant Notebook Utilities"

start_suite
# What the help reader writes beside a help file it has opened.
for name in merovant.GID merovant.FTS fuel.gid fuel.ftg Corvessa.GID Corvessa.ANN; do
  echo index >"$folder/$name"
done
check "silent uninstall of the running suite" timeout 180 wine "$folder/Uninstall.exe" /S
check "install folder removed" wait_gone "$folder"
check "no program left running by the uninstall" no_suite_process
while read -r image; do
  check "$image removed" test ! -e "$image"
done < <(images)
check "Startup shortcuts removed" test ! -e "$startup/Fuel Gauge.lnk" -a ! -e "$startup/Merovant Configuration.lnk"
check "Start-menu group removed" test ! -e "$group"
check "shared key removed" bash -c "! wine reg query 'HKLM\\SOFTWARE\\Merovant'"
check "service key removed" bash -c "! wine reg query 'HKLM\\System\\CurrentControlSet\\Services\\Hotkey'"
check "service removed" test -z "$(service_state)"
check "uninstall entry removed" bash -c "! wine reg query '$uninstall_key'"
check "nothing left for the next restart" nothing_pending

echo "installer: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
