#!/usr/bin/env bash
# machinesim's commands on the running virtual notebook of a Windows build
# tree, checked by tools that are not ours: the SMBIOS dump read by Debian's
# dmidecode, the first hard disk's registry value read by Wine's reg.
#   machinesim_commands_test.sh SOURCE_DIR TREE
set -uo pipefail
export PATH=/usr/sbin:/sbin:$PATH
source "$(dirname "$0")/prefix_test.sh" "$1" "$2"
work=$tree/machinesim-commands-test
rm -rf "$work" && mkdir -p "$work"
windows_path() { echo "Z:${1//\//\\}"; }

# The SMBIOS table as dmidecode reads it: the values the System Information
# page shows.
machinesim dmi --dump "$(windows_path "$work/smbios.bin")" || fail "dmi --dump"
decoded=$(dmidecode --from-dump "$work/smbios.bin" 2>&1) || fail "dmidecode cannot read the dump (scripts/setup installs it)"
for expected in "Version: V1.20" "Product Name: Notebook 510CT" "Serial Number: SU98042179" \
                "Serial Number: BD98113069"; do
  grep -qF "$expected" <<<"$decoded" || fail "dmidecode does not show '$expected':
$decoded"
done

# The first hard disk: the full Windows path in the registry, shown by show,
# gone again with --none; a path that is not a readable file is refused.
"$source_dir/scripts/make-disk-image" "$work/disk.img" || fail "make-disk-image"
machinesim disk --none >/dev/null
( cd "$work" && machinesim disk disk.img ) || fail "disk disk.img"
expected=$(windows_path "$work/disk.img")
value=$(wine_capture wine reg query 'HKLM\Software\VirtualNotebook' /v FirstDisk | grep FirstDisk)
[[ "$value" == *"REG_SZ"*"$expected" ]] || fail "FirstDisk is '$value', expected '$expected'"
machinesim show | grep -qxF "firstDisk=$expected" || fail "show does not list the disk"
for bad in "$work/missing.img" "$work"; do
  if machinesim disk "$(windows_path "$bad")" >/dev/null; then fail "disk took $bad"; fi
done
machinesim show | grep -qxF "firstDisk=$expected" || fail "a refused disk replaced the attached one"
machinesim disk --none || fail "disk --none"
machinesim show | grep -qxF "firstDisk=none" || fail "the disk is still shown after --none"
if wine reg query 'HKLM\Software\VirtualNotebook' /v FirstDisk >/dev/null 2>&1; then fail "FirstDisk is still there"; fi

rm -rf "$work"
finish
