#!/usr/bin/env bash
# scripts/wine-prefix-machine installs the virtual notebook's driver under a
# lock; the Wine server, services and driver host that the installation
# starts must not keep that lock, or every later scripts/wine of the prefix
# waits until the prefix stops. The prefix is stopped, made persistent as the
# test runs and `make run` keep it, and the driver installed afresh (its stamp
# made stale); then the lock must be free at once and a program of the tree
# must run. Leaves the prefix running with the driver installed.
#   machine_install_lock_test.sh SOURCE_DIR TREE
set -uo pipefail
source "$(dirname "$0")/prefix_test.sh" "$1" "$2"
lock=$WINEPREFIX.machine.lock
stamp=$WINEPREFIX/.suite-machine

wineserver -k </dev/null >/dev/null 2>&1
timeout 60 wineserver -w </dev/null >/dev/null 2>&1 || fail "the Wine server did not end within 60 s"
wineserver -p </dev/null >/dev/null 2>&1
echo stale >"$stamp"
timeout 120 "$source_dir/scripts/wine-prefix-machine" "$tree" </dev/null >/dev/null 2>&1 ||
  fail "the driver was not installed within 120 s"
[ "$(cat "$stamp")" != stale ] || fail "the stamp was not renewed: the driver was not installed afresh"

# The prefix's processes run on; the lock must not be theirs.
flock -n "$lock" true || fail "the install lock is still held by a process the install started"
wine_capture timeout 30 "$source_dir/scripts/wine" "$tree/bin/machinesim.exe" show >/dev/null ||
  fail "machinesim show did not run within 30 s after the install"

# The prefix as a new session starts it, for the tests after this one.
timeout 120 wine wineboot </dev/null >/dev/null 2>&1 || fail "wineboot did not finish within 120 s"
finish
