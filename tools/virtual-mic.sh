# A virtual microphone: a user-mode PulseAudio server with a null sink, a
# remapped monitor of that sink as the default source, and pacat playing a sine
# into the sink. Sourced by the scripts that need one; it changes nothing until
# virtual_mic_start is called.
#
#   virtual_mic_start DIR HZ SECONDS
#       starts the server with its socket under DIR/pulse, exports
#       XDG_RUNTIME_DIR and PULSE_SERVER for the programs started afterwards,
#       and plays a HZ tone for SECONDS seconds. Sets virtual_mic_server and
#       virtual_mic_player to the two process ids; the caller stops them.

virtual_mic_start() {
  local dir=$1 hz=$2 seconds=$3
  mkdir -p -m 700 "$dir/xdg" "$dir/pulse"
  export XDG_RUNTIME_DIR="$dir/xdg" PULSE_SERVER="unix:$dir/pulse/native"
  cat >"$dir/pulse/vmic.pa" <<PA
load-module module-native-protocol-unix auth-anonymous=1 socket=$dir/pulse/native
load-module module-null-sink sink_name=vmic_sink
load-module module-remap-source source_name=vmic master=vmic_sink.monitor
set-default-sink vmic_sink
set-default-source vmic
PA
  pulseaudio --daemonize=no --exit-idle-time=-1 -n -F "$dir/pulse/vmic.pa" >"$dir/pulse.log" 2>&1 &
  virtual_mic_server=$!
  local _
  for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
  if ! pactl info >/dev/null 2>&1; then
    echo "virtual microphone: PulseAudio did not start: $(cat "$dir/pulse.log")" >&2
    kill "$virtual_mic_server" 2>/dev/null
    return 1
  fi
  sox -n -r 48000 -c 1 -b 16 -e signed-integer -t raw "$dir/tone.raw" synth "$seconds" sine "$hz" vol 0.5
  pacat --playback -d vmic_sink --rate=48000 --channels=1 --format=s16le --latency-msec=20 \
    "$dir/tone.raw" &
  virtual_mic_player=$!
}
