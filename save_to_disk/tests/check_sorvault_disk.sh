#!/usr/bin/env bash
# Checks a disk image after sorvault worked on it: fsck.fat finds nothing on
# any FAT volume of its partition table, and every file kept beside the image
# by make_sorvault_disk.sh (OUT.files/c, OUT.files/d: the drives in table
# order) reads back byte for byte. Prints what differs; exit 0 when all is well.
#   check_sorvault_disk.sh IMAGE
set -uo pipefail
image=$1
# Started from a Windows program under Wine, the PATH is Windows's own.
export PATH=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin
export MTOOLS_SKIP_CHECK=1
status=0
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The FAT partitions as "start count" lines, in table order.
fat_partitions() {
  python3 -c '
import struct, sys
mbr = open(sys.argv[1], "rb").read(512)
for i in range(4):
    e = mbr[446 + 16 * i: 462 + 16 * i]
    if e[4] in (0x01, 0x04, 0x06, 0x0B, 0x0C, 0x0E):
        print("%d %d" % struct.unpack("<II", e[8:16]))
' "$image"
}

check_volume() {  # drive start-sector sectors
  dd if="$image" of="$tmp/$1.img" bs=512 skip="$2" count="$3" status=none
  if ! fsck.fat -n "$tmp/$1.img" >"$tmp/fsck.out" 2>&1; then
    echo "fsck.fat found problems on $1:"
    cat "$tmp/fsck.out"
    status=1
  fi
  for kept in "$image.files/$1"/*; do
    [ -e "$kept" ] || continue
    name=$(basename "$kept")
    if ! mcopy -n -i "$tmp/$1.img" "::$name" "$tmp/read" 2>/dev/null || ! cmp -s "$kept" "$tmp/read"; then
      echo "$1:\\$name does not read back as it was written"
      status=1
    fi
    rm -f "$tmp/read"
  done
  rm -f "$tmp/$1.img"
}

drives=(c d e f)
n=0
while read -r start count; do
  check_volume "${drives[$n]}" "$start" "$count"
  n=$((n + 1))
done < <(fat_partitions)
if [ $n -eq 0 ]; then
  echo "no FAT partition in the table of $image"
  status=1
fi
exit $status
