#!/usr/bin/env bash
# Checks a disk made by make_sorvault_disk.sh after sorvault worked on it:
# fsck.fat finds nothing on either FAT volume, and every file kept beside the
# image (OUT.files/) reads back byte for byte. Prints what differs; exit 0
# when all is well.
#   check_sorvault_disk.sh IMAGE
set -uo pipefail
image=$1
# Started from a Windows program under Wine, the PATH is Windows's own.
export PATH=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin
export MTOOLS_SKIP_CHECK=1
status=0
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

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
}
check_volume c 2048 $((160 * 2048))
check_volume d $((2048 + 160 * 2048)) $((72 * 2048))
exit $status
