# Looking at and typing into windows on an X display (DISPLAY), for the scripts
# that drive the real program. Sourced; defines functions only.
#
#   window_find TITLE SECONDS     prints the id of the topmost visible window
#                                 whose title matches the regular expression
#                                 TITLE, waiting up to SECONDS for one
#   window_geometry WINDOW        prints WIDTHxHEIGHT+LEFT+TOP
#   window_wait_geometry TITLE GEOMETRY SECONDS
#                                 waits until TITLE's window has that geometry
#   client_area WINDOW WIDTH HEIGHT
#                                 prints the geometry of a WIDTH x HEIGHT client
#                                 area inside WINDOW, whose frame (if it has one)
#                                 is as wide on the left, the right and the bottom
#   press WINDOW KEY...           gives WINDOW the keyboard and types the keys
#                                 (xdotool's key names: space, l, F1, q, Return)
#   shoot WHAT PNG [PPM]          a screenshot of a window, or of the whole
#                                 screen for WHAT "root", as PNG, and also as
#                                 PPM (what row_check reads) if given

. "$(dirname "${BASH_SOURCE[0]}")/need.sh"
need xwininfo x11-utils xdotool xdotool xwd x11-apps convert imagemagick

# xdotool's own search misses titles stored as UTF-8 (SDL's message box sets
# them so), so the top-level windows are read from xwininfo instead; the first
# match is the topmost.
window_find() {
  local title=$1 seconds=$2 tries id name
  for ((tries = seconds * 10; tries >= 0; tries--)); do
    while read -r id name; do
      if [[ $name =~ $title ]] && xwininfo -id "$id" 2>/dev/null | grep -q IsViewable; then
        printf '%d\n' "$id"
        return 0
      fi
    done < <(xwininfo -root -children | sed -n 's/^ *\(0x[0-9a-f]*\) "\(.*\)": .*/\1 \2/p')
    [ "$tries" -eq 0 ] || sleep 0.1
  done
  echo "no window titled '$title' within $seconds s" >&2
  return 1
}

window_geometry() {
  local WIDTH HEIGHT X Y WINDOW SCREEN
  eval "$(xdotool getwindowgeometry --shell "$1")"
  echo "${WIDTH}x${HEIGHT}+${X}+${Y}"
}

window_wait_geometry() {
  local title=$1 want=$2 seconds=$3 window now="" _
  for _ in $(seq "$((seconds * 10))"); do
    if window=$(window_find "$title" 0 2>/dev/null); then
      now=$(window_geometry "$window" 2>/dev/null) || now=""
      [ "$now" = "$want" ] && return 0
    fi
    sleep 0.1
  done
  echo "the window titled '$title' is ${now:-gone}, not $want, after $seconds s" >&2
  return 1
}

client_area() {
  local window=$1 width=$2 height=$3 WIDTH HEIGHT X Y WINDOW SCREEN
  eval "$(xdotool getwindowgeometry --shell "$window")"
  local border=$(((WIDTH - width) / 2))
  echo "${width}x${height}+$((X + border))+$((Y + HEIGHT - height - border))"
}

press() {
  local window=$1
  shift
  xdotool windowfocus --sync "$window"
  xdotool key --delay 60 "$@"
}

shoot() {
  local what=$1 png=$2 ppm=${3:-} source=(-root)
  [ "$what" = root ] || source=(-id "$what")
  if [ -n "$ppm" ]; then
    xwd "${source[@]}" -silent | convert xwd:- -write "png:$png" "ppm:$ppm"
  else
    xwd "${source[@]}" -silent | convert xwd:- "png:$png"
  fi
}
