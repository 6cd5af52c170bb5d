#!/usr/bin/env bash
# scripts/make-disk-image: both variants have the partitions and types of the
# machine's first hard disk, and every FAT volume on them is clean.
#   disk_image_test.sh SOURCE_DIR WORK_DIR
set -uo pipefail
export PATH=/usr/sbin:/sbin:$PATH
source_dir=$1
work=$2/disk-image-test
rm -rf "$work" && mkdir -p "$work"
failed=0
fail() { echo "FAIL: $*"; failed=1; }

# The partition table as "type start count" lines, from the MBR's entries.
partitions() {
  /usr/bin/python3 -c '
import struct, sys
mbr = open(sys.argv[1], "rb").read(512)
assert mbr[510:] == b"\x55\xaa", "no MBR signature"
for i in range(4):
    e = mbr[446 + 16 * i: 462 + 16 * i]
    if e[4]:
        start, count = struct.unpack("<II", e[8:16])
        print("%02x %d %d" % (e[4], start, count))
' "$1"
}

for variant in plain save; do
  image=$work/$variant.img
  args=()
  [ $variant = save ] && args=(--save-partition)
  "$source_dir/scripts/make-disk-image" "$image" "${args[@]}" || { fail "$variant: the script failed"; continue; }
  table=$(partitions "$image") || { fail "$variant: no partition table"; continue; }
  types=$(echo "$table" | cut -d' ' -f1 | tr '\n' ' ')
  expected="06 0b "
  [ $variant = save ] && expected="06 0b a0 "
  [ "$types" = "$expected" ] || fail "$variant: partition types '$types', expected '$expected'"
  while read -r type start count; do
    [ "$type" = a0 ] && continue
    dd if="$image" of="$work/volume" bs=512 skip="$start" count="$count" status=none
    fsck.fat -n "$work/volume" >"$work/fsck.log" 2>&1 || { fail "$variant: fsck.fat on the $type partition"; cat "$work/fsck.log"; }
    files=$(MTOOLS_SKIP_CHECK=1 mdir -b -i "$work/volume" ::/ | wc -l)
    [ "$files" -ge 7 ] || fail "$variant: $files entries in the root of the $type partition"
    if [ "$type" = 0b ]; then
      clusters=$(grep -o '[0-9]*/[0-9]* clusters' "$work/fsck.log" | cut -d/ -f2 | cut -d' ' -f1)
      [ "${clusters:-0}" -ge 65525 ] || fail "FAT32 volume with only ${clusters:-?} clusters"
    fi
    # Free space in pieces: free clusters below the last used one.
    holes=$(/usr/bin/python3 -c '
import struct, sys
v = open(sys.argv[1], "rb").read()
bps, spc, reserved, fats = struct.unpack_from("<HBHB", v, 11)
fat16 = struct.unpack_from("<H", v, 22)[0]
size = fat16 or struct.unpack_from("<I", v, 36)[0]
fat = v[reserved * bps:(reserved + size) * bps]
width = 2 if fat16 else 4
entries = [int.from_bytes(fat[i:i + width], "little") & 0x0FFFFFFF for i in range(0, len(fat), width)]
used = [i for i in range(2, len(entries)) if entries[i]]
print(sum(1 for i in range(2, max(used)) if entries[i] == 0))
' "$work/volume")
    [ "${holes:-0}" -gt 0 ] || fail "$variant: no free space between the files of the $type partition"
  done <<<"$table"
done
rm -rf "$work"
[ $failed -eq 0 ] && echo "1 passed, 0 failed" || echo "0 passed, 1 failed"
exit $failed
