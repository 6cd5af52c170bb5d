# Sourced by the Windows tests' shell scripts.
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
