# Sourced: start_virtual_display sets DISPLAY to a virtual X display, reusing
# the one this project started earlier when it is still running.
start_virtual_display() {
  local state="${TMPDIR:-/tmp}/themesetup-xvfb-display"
  if [ -f "$state" ]; then
    local saved
    saved=$(cat "$state")
    if xdpyinfo -display "$saved" >/dev/null 2>&1; then
      export DISPLAY="$saved"
      return 0
    fi
  fi
  local n
  for n in $(seq 91 140); do
    [ -e "/tmp/.X$n-lock" ] && continue
    # Room for the wizard at 200% display scale (about 1070 by 720).
    Xvfb ":$n" -screen 0 1600x1200x24 -nolisten tcp >/dev/null 2>&1 &
    local i
    for i in $(seq 1 50); do
      if xdpyinfo -display ":$n" >/dev/null 2>&1; then
        echo ":$n" >"$state"
        export DISPLAY=":$n"
        return 0
      fi
      sleep 0.1
    done
  done
  echo "display.sh: could not start Xvfb" >&2
  return 1
}
