# A virtual microphone: a user-mode PulseAudio server with a null sink, a
# remapped monitor of that sink as the default source, and pacat playing sound
# files into the sink. Sourced by the scripts that need one; it changes nothing
# until virtual_mic_start is called. Sound files are raw 48000 Hz mono signed
# 16-bit little-endian samples.
#
# With tools/pipewire-mic.sh sourced first, the server is PipeWire instead.
#
#   virtual_mic_start DIR [FILE]
#       starts the server with its socket under DIR/pulse (DIR/xdg/pulse for
#       PipeWire), exports XDG_RUNTIME_DIR and PULSE_SERVER for the programs
#       started afterwards, sets virtual_mic_server to its process id (PipeWire's
#       own) and virtual_mic_servers to all of them, and plays FILE if given.
#       After virtual_mic_stop it starts the same microphone again.
#   virtual_mic_stop
#       stops the server, as a crash or a restart of it would.
#   virtual_mic_play FILE [LATENCY_MS]
#       plays FILE into the microphone, in the background, and sets
#       virtual_mic_player to the player's process id. Players may overlap.
#       The player's latency (default 20 ms) sets how often the server hands
#       the sound on: every few milliseconds at 20 ms, where a capture card
#       hands over a block every few tens of milliseconds.
#   virtual_mic_tones FILE SECONDS HZ...
#       writes FILE: each tone for SECONDS in turn, at half of full scale.
#   virtual_mic_warble FILE SECONDS
#       writes FILE: a tone sweeping from 200 up to 1800 Hz and back down once
#       a second, for SECONDS (a whole number, at least 1).
# The caller stops the server and the players.

. "$(dirname "${BASH_SOURCE[0]}")/need.sh"
need pactl pulseaudio-utils pacat pulseaudio-utils sox sox
if [ "${virtual_mic_kind:-pulseaudio}" != pipewire ]; then
  need pulseaudio pulseaudio
fi

virtual_mic_format=(-r 48000 -c 1 -b 16 -e signed-integer -t raw)

virtual_mic_start() {
  local dir=$1 file=${2:-}
  mkdir -p -m 700 "$dir/xdg" "$dir/pulse"
  export XDG_RUNTIME_DIR="$dir/xdg" PULSE_SERVER="unix:$dir/pulse/native"
  if [ "${virtual_mic_kind:-pulseaudio}" = pipewire ]; then
    virtual_mic_start_pipewire "$dir" || { virtual_mic_give_up "$dir" "PipeWire did not start"; return 1; }
  else
    cat >"$dir/pulse/vmic.pa" <<PA
load-module module-native-protocol-unix auth-anonymous=1 socket=$dir/pulse/native
load-module module-null-sink sink_name=vmic_sink
load-module module-remap-source source_name=vmic master=vmic_sink.monitor
set-default-sink vmic_sink
set-default-source vmic
PA
    pulseaudio --daemonize=no --exit-idle-time=-1 -n -F "$dir/pulse/vmic.pa" >"$dir/pulse.log" 2>&1 &
    virtual_mic_server=$!
    virtual_mic_servers=("$virtual_mic_server")
  fi
  virtual_mic_retry pactl info 2>/dev/null || { virtual_mic_give_up "$dir" "the sound server did not start"; return 1; }
  if [ "${virtual_mic_kind:-pulseaudio}" = pipewire ]; then
    # PipeWire keeps no modules across a restart: the microphone is made anew.
    # Its PulseAudio server may answer before PipeWire offers the null sink or
    # its monitor, or before WirePlumber keeps the defaults ("Not supported"),
    # so each is asked for again for a while.
    virtual_mic_retry pactl load-module module-null-sink sink_name=vmic_sink &&
      virtual_mic_retry pactl load-module module-remap-source source_name=vmic master=vmic_sink.monitor &&
      virtual_mic_retry pactl set-default-sink vmic_sink && virtual_mic_retry pactl set-default-source vmic ||
      { virtual_mic_give_up "$dir" "PipeWire did not take the microphone"; return 1; }
  fi
  [ -z "$file" ] || virtual_mic_play "$file"
}

# virtual_mic_retry COMMAND...: runs COMMAND until it succeeds, for up to 5 s.
virtual_mic_retry() {
  local _
  for _ in $(seq 50); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  "$@" >/dev/null
}

# virtual_mic_give_up DIR WHAT: says WHAT went wrong, with the server's log,
# and stops the server.
virtual_mic_give_up() {
  echo "virtual microphone: $2: $(cat "$1/pulse.log")" >&2
  virtual_mic_stop
}

virtual_mic_stop() {
  local pid
  for pid in "${virtual_mic_servers[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${virtual_mic_servers[@]}"; do wait "$pid" 2>/dev/null || true; done
}

virtual_mic_play() {
  pacat --playback -d vmic_sink --rate=48000 --channels=1 --format=s16le --latency-msec="${2:-20}" "$1" &
  virtual_mic_player=$!
}

virtual_mic_tones() {
  local file=$1 seconds=$2 hz
  shift 2
  : >"$file"
  for hz in "$@"; do
    sox -n "${virtual_mic_format[@]}" - synth "$seconds" sine "$hz" vol 0.5 >>"$file"
  done
}

virtual_mic_warble() {
  local file=$1 seconds=$2 sweep
  sweep=$(mktemp)
  # Exponential sweeps, straight lines on the logarithmic frequency axis.
  sox -n "${virtual_mic_format[@]}" "$sweep" synth 0.5 sine 200/1800 vol 0.5
  sox -n "${virtual_mic_format[@]}" - synth 0.5 sine 1800/200 vol 0.5 >>"$sweep"
  sox "${virtual_mic_format[@]}" "$sweep" "${virtual_mic_format[@]}" "$file" repeat "$((seconds - 1))"
  rm -f "$sweep"
}
