# Sourced by the scripts that run Windows programs: which Wine runs them.
#
# suite_wine IMAGE [PREFIX]: prints the Wine loader for IMAGE in PREFIX
# (default WINEPREFIX): the 32-bit Wine (build/wine32, made by
# scripts/wine32/setup on first use) for an i386 image or in a 32-bit
# prefix, the machine's wine otherwise. An IMAGE that is not a file (a
# builtin program such as `control`) goes by the prefix alone.
suite_wine() {
  local image=$1 prefix=${2:-${WINEPREFIX:-}}
  local top
  top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  if [ "$(pe_machine "$image")" = 014c ] || grep -qsx '#arch=win32' "$prefix/system.reg"; then
    "$top/scripts/wine32/setup" >&2 || return 1
    echo "$top/build/wine32/root/usr/lib/wine/wine-qemu"
  else
    echo wine
  fi
}

# pe_machine FILE: the machine field of a PE image's file header in
# hexadecimal (014c i386, 8664 x86_64); nothing for any other file.
pe_machine() {
  local file=$1 offset
  [ -f "$file" ] && [ "$(head -c 2 "$file")" = MZ ] || return 0
  offset=$(od -An -tu4 -j 60 -N 4 "$file" | tr -d ' ')
  [ -n "$offset" ] && [ "$(tail -c +$((offset + 1)) "$file" | head -c 4 | od -An -c | tr -d ' ')" = 'PE\0\0' ] || return 0
  od -An -tx2 -j $((offset + 4)) -N 2 "$file" | tr -d ' '
}

# suite_machine_folder TREE: the folder of a build tree that holds the virtual
# notebook (machinesim.exe and its driver): bin/ in the win64 tree,
# virtual-notebook/ in the shipping tree; nothing when the tree has none.
suite_machine_folder() {
  local folder
  for folder in "$1/bin" "$1/virtual-notebook"; do
    if [ -f "$folder/machinesim.exe" ] && [ -f "$folder/virtualnotebook.sys" ]; then
      echo "$folder"
      return
    fi
  done
}

# suite_start_prefix PREFIX: makes PREFIX (scripts/wine-prefix) and keeps its
# Wine server up until `wineserver -k`, with Wine's own background processes
# (services, explorer) started now, with no terminal or pipe of ours: a test's
# pipes are then closed when it exits, and ctest does not wait on processes
# that outlive it. SUITE_WINE names the Wine loader (default wine).
suite_start_prefix() {
  local here
  here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
  export WINEPREFIX=$1
  "$here/wine-prefix" "$WINEPREFIX" || return 1
  wineserver -p
  "${SUITE_WINE:-wine}" wineboot </dev/null >/dev/null 2>&1
}

# suite_notebook TREE [PROGRAM]: the virtual notebook that ctest gave the
# running test (its resource "notebooks", offered by scripts/wine-tests):
# exports WINEPREFIX and DISPLAY for it, and sets SUITE_NOTEBOOK_PROGRAM to
# PROGRAM's copy among that notebook's programs. Notebook 0, and any test
# that took none, is the tree itself: its prefix and bin/ on the display
# already set. Notebook N is TREE/notebook-N: a prefix with its own driver, a
# copy of bin/ (so that what the tests' programs write beside themselves is
# the notebook's own), and the display in SUITE_NOTEBOOK_DISPLAY_N.
suite_notebook() {
  local tree=$1 id=0 display
  SUITE_NOTEBOOK_PROGRAM=${2:-}
  if [[ ${CTEST_RESOURCE_GROUP_0_NOTEBOOKS:-} =~ id:([0-9]+) ]]; then
    id=${BASH_REMATCH[1]}
  fi
  if [ "$id" = 0 ]; then
    export WINEPREFIX=$tree/wineprefix
    return
  fi
  display=SUITE_NOTEBOOK_DISPLAY_$id
  export WINEPREFIX=$tree/notebook-$id/wineprefix DISPLAY=${!display}
  if [[ $SUITE_NOTEBOOK_PROGRAM == "$tree/bin/"* ]]; then
    SUITE_NOTEBOOK_PROGRAM=$tree/notebook-$id/bin/${SUITE_NOTEBOOK_PROGRAM#"$tree/bin/"}
  fi
}

# suite_ctest_on_notebooks TREE COUNT [CTEST ARGS...]: runs the tests of
# TREE with ctest, offering them COUNT notebooks (ids 0 to COUNT-1) as the
# resource "notebooks", described in TREE/notebooks.json.
suite_ctest_on_notebooks() {
  local tree=$1 count=$2 ids="" id
  shift 2
  for ((id = 0; id < count; id++)); do
    ids+="${ids:+, }{\"id\": \"$id\", \"slots\": 1}"
  done
  printf '{"version": {"major": 1, "minor": 0}, "local": [{"notebooks": [%s]}]}\n' "$ids" >"$tree/notebooks.json"
  ctest --test-dir "$tree" --resource-spec-file "$tree/notebooks.json" "$@"
}
