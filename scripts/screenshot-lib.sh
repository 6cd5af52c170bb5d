# Sourced by scripts/screenshots and scripts/screenshots-languages: the Wine
# prefix the screenshots are taken in and the function that takes them.

# screenshot_prefix TREE: makes TREE/wineprefix-screenshots afresh, with the
# virtual notebook in its factory state and the suite installed by its
# installer, as a user has it after installing, and exports WINEPREFIX. Every
# run starts from this one state, whatever `make run` or the tests left in
# the tree's own prefix.
screenshot_prefix() {
  local tree=$1
  export WINEPREFIX="$PWD/$tree/wineprefix-screenshots"
  export WINEDEBUG=-all
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX" "$WINEPREFIX.lock" "$WINEPREFIX.machine.lock"
  scripts/wine-prefix "$WINEPREFIX"
  scripts/wine-prefix-machine "$tree"
  wine "$tree/bin/machinesim.exe" reset </dev/null >/dev/null
  wine "$tree/installer/MerovantSuite.exe" /S </dev/null
  wineserver -k 2>/dev/null || true
}

# The height of the taskbar at the foot of Wine's desktop, the desktop left
# round a window in a desktop sized from it, and the desktop that measures the
# window (larger than any of the suite's windows, within Xvfb's screen).
screenshot_taskbar=20
screenshot_margin=16
screenshot_probe_width=1200
screenshot_probe_height=960

# desktop_shot FILE NAME WIDTHxHEIGHT PROGRAM [ARGS...]: runs PROGRAM in a Wine
# desktop named NAME and writes FILE once its window has settled. With STEPS
# set to lines of "FILE XDOTOOL-ARGS..." (WINDOW standing for the desktop's
# window, LEFT and TOP for the top left corner of what FILE shows on the
# desktop, the program's window), it then runs xdotool with each line's
# arguments and writes $out/FILE.png after each.
desktop_shot() {
  local file=$1 name=$2 size=$3
  shift 3
  wine explorer "/desktop=$name,$size" "$@" &
  local program=$!
  local window=""
  for _ in $(seq 1 60); do
    window=$(xwininfo -root -tree 2>/dev/null | awk -v n="\"$name - Wine desktop\"" 'index($0, n) {print $1; exit}')
    [ -n "$window" ] && break
    sleep 0.5
  done
  sleep 4  # the program's own window, toolbar and first timer ticks
  if [ -n "$window" ]; then
    import -window "$window" "$file"
    local corner left top step_file step
    corner=$(convert "$file" -gravity south -chop "0x$screenshot_taskbar" -format '%X %Y' -trim info: 2>/dev/null)
    read -r left top <<<"$corner"
    while read -r step_file step; do
      [ -n "$step_file" ] || continue
      step=${step//WINDOW/$window}
      step=${step//LEFT/${left#+}}
      # shellcheck disable=SC2086
      xdotool ${step//TOP/${top#+}}
      sleep 1.5
      import -window "$window" "$out/$step_file.png"
      echo "screenshots: wrote $out/$step_file.png"
    done <<<"${STEPS:-}"
  else
    echo "screenshots: no desktop window for $name" >&2
  fi
  kill "$program" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  [ -n "$window" ]
}

# fitted_size NAME PROGRAM [ARGS...]: the desktop size that holds PROGRAM's
# window, and every window its STEPS open, with a margin round them and the
# taskbar below. The program and its steps run once in a desktop larger than
# any of the suite's windows; a window is what differs from the desktop's
# colour above the taskbar.
fitted_size() {
  local name=$1
  shift
  local probes
  probes=$(mktemp -d)
  if ! out=$probes desktop_shot "$probes/$name.png" "$name" "${screenshot_probe_width}x$screenshot_probe_height" "$@" >/dev/null; then
    rm -rf "$probes"
    return 1
  fi
  # The windows are centred on the desktop above the taskbar, so the size
  # is twice the farthest any of them reaches from that centre.
  local probe box width height x y half_width=0 half_height=0
  local centre_x=$((screenshot_probe_width / 2)) centre_y=$(((screenshot_probe_height - screenshot_taskbar) / 2))
  for probe in "$probes"/*.png; do
    box=$(convert "$probe" -gravity south -chop "0x$screenshot_taskbar" -format '%w %h %X %Y' -trim info:)
    read -r width height x y <<<"$box"
    half_width=$(max "$half_width" $((centre_x - x)) $((x + width - centre_x)))
    half_height=$(max "$half_height" $((centre_y - y)) $((y + height - centre_y)))
  done
  rm -rf "$probes"
  echo "$((2 * (half_width + screenshot_margin)))x$((2 * (half_height + screenshot_margin) + screenshot_taskbar))"
}

max() {
  local best=$1 value
  for value in "$@"; do
    [ "$value" -gt "$best" ] && best=$value
  done
  echo "$best"
}

# shot NAME SIZE PROGRAM [ARGS...]: runs PROGRAM in the desktop NAME and writes
# $out/NAME.png, then the STEPS (see desktop_shot). SIZE is WIDTHxHEIGHT, or
# "fit" for a desktop sized from the program's window (for windows whose size
# follows their texts); steps that click at fixed places need a fixed size.
shot() {
  local name=$1 size=$2
  shift 2
  if [ "$size" = fit ]; then
    size=$(fitted_size "$name" "$@") || return 1
  fi
  desktop_shot "$out/$name.png" "$name" "$size" "$@" || return 1
  echo "screenshots: wrote $out/$name.png"
}
