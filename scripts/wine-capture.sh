# Sourced by the scripts and the Windows tests' shell scripts that run Wine
# commands and read what they print.
#
# wine_capture COMMAND...: runs a Wine command with its output going to a
# file, not to a pipe, then prints that output without carriage returns; the
# command's status is returned, 124 when it did not end within 60 s. A Wine
# command can start the prefix's server and services, which keep every
# descriptor they inherit: a pipe handed to it would then never reach its
# end, and whatever reads it would wait for ever.
wine_capture() {
  local out rc
  out=$(mktemp)
  timeout 60 "$@" </dev/null >"$out" 2>&1
  rc=$?
  tr -d '\r' <"$out"
  rm -f "$out"
  return $rc
}

# registry_value KEY NAME: the data of a value in the prefix's registry as
# `wine reg query` prints it; nothing when there is no such value.
registry_value() {
  wine_capture wine reg query "$1" /v "$2" |
    awk -v name="$2" -F'[[:space:]]+REG_[A-Z_]+[[:space:]]+' 'NF > 1 && index($1, name) { print $2 }'
}
