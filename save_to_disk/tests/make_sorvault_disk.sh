#!/usr/bin/env bash
# Builds a first hard disk for sorvault's tests under Wine: an MBR with a
# FAT16 partition (C:) and a FAT32 partition (D:), optionally followed by a
# save-to-disk partition of type 0xA0. C: holds files laid out so that its
# free space is fragmented; a copy of every file is kept beside the image
# (OUT.files/) so a test can compare them afterwards.
#   make_sorvault_disk.sh OUT [--save-partition]
set -euo pipefail
out=$1
save_partition=${2:-}
# Started from a Windows program under Wine, the PATH is Windows's own.
export PATH=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin
export MTOOLS_SKIP_CHECK=1

sector=512
p1_start=2048
p1_sectors=$((160 * 2048))   # 160 MiB, FAT16
p2_start=$((p1_start + p1_sectors))
p2_sectors=$((72 * 2048))    # 72 MiB, FAT32
p3_start=$((p2_start + p2_sectors))
p3_sectors=$((96 * 2048))    # 96 MiB, save-to-disk
total=$((p3_start + p3_sectors))

rm -f "$out"
rm -rf "$out.files"
truncate -s $((total * sector)) "$out"

entry() {  # index type start sectors
  python3 - "$out" "$@" <<'PY'
import struct, sys
path, index, ptype, start, count = sys.argv[1], int(sys.argv[2]), int(sys.argv[3], 0), int(sys.argv[4]), int(sys.argv[5])
with open(path, 'r+b') as f:
    f.seek(446 + 16 * index)
    f.write(struct.pack('<B3sB3sII', 0, b'\xfe\xff\xff', ptype, b'\xfe\xff\xff', start, count))
    f.seek(510)
    f.write(b'\x55\xaa')
PY
}
entry 0 0x06 $p1_start $p1_sectors
entry 1 0x0C $p2_start $p2_sectors
if [ "$save_partition" = "--save-partition" ]; then
  entry 2 0xA0 $p3_start $p3_sectors
fi

# Each volume is made on its own and copied into place.
volume() {  # fat-bits sectors-per-cluster label start sectors
  rm -f "$out.volume"
  mkfs.fat -C -F "$1" -s "$2" -n "$3" -h "$4" "$out.volume" $(($5 / 2)) >/dev/null
  dd if="$out.volume" of="$out" bs=$sector seek="$4" conv=notrunc status=none
  rm -f "$out.volume"
}
volume 16 8 SYSTEM $p1_start $p1_sectors
volume 32 1 DATA $p2_start $p2_sectors

# Files of deterministic content; every other one deleted again, so that the
# free space of C: comes in holes before the long free run at its end.
mkdir -p "$out.files/c" "$out.files/d"
c="-i $out@@$((p1_start * sector))"
d="-i $out@@$((p2_start * sector))"
for i in $(seq 1 24); do
  name=$(printf 'FILE%02d.DAT' "$i")
  head -c $((i * 37000 + 1000)) /dev/urandom >"$out.files/c/$name"
  mcopy $c "$out.files/c/$name" "::$name"
done
for i in $(seq 2 2 24); do
  name=$(printf 'FILE%02d.DAT' "$i")
  mdel $c "::$name"
  rm "$out.files/c/$name"
done
head -c 300000 /dev/urandom >"$out.files/d/NOTES.TXT"
mcopy $d "$out.files/d/NOTES.TXT" ::NOTES.TXT
