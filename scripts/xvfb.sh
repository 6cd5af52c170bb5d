# Sourced by the scripts that need an X display of their own.
#
# start_xvfb: starts an Xvfb of 1280x1024 at 24 bits on a free display;
# sets XVFB_DISPLAY (":N") and XVFB_PID.
start_xvfb() {
  local fifo number
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  read -r number <"$fifo"
  rm -f "$fifo"
  XVFB_DISPLAY=":$number"
}
