# Sourced by the shell tests that run on a Windows build tree's prefix and its
# virtual notebook:
#   source prefix_test.sh SOURCE_DIR TREE
# sets source_dir, tree and WINEPREFIX (the prefix of the notebook ctest gave
# the test, scripts/wine-loader.sh) and gives
# fail MESSAGE (the test fails and goes on), wine_capture and registry_value
# (scripts/wine-capture.sh), machinesim ARGS... (the tree's machinesim, its
# output captured) and finish (prints the result as ctest reads it and exits
# with it).
source_dir=$1
tree=$(realpath "$2")
source "$source_dir/scripts/wine-loader.sh"
suite_notebook "$tree"
export WINEDEBUG=-all
failed=0
fail() { echo "FAIL: $*"; failed=1; }
source "$source_dir/scripts/wine-capture.sh"
machinesim() { wine_capture "$source_dir/scripts/wine" "$tree/bin/machinesim.exe" "$@"; }
finish() {
  [ $failed -eq 0 ] && echo "1 passed, 0 failed" || echo "0 passed, 1 failed"
  exit $failed
}
