# The virtual microphone (tools/virtual-mic.sh) served by PipeWire, as desktops
# run it: pipewire, wireplumber and pipewire-pulse, which serves PulseAudio's
# protocol; WirePlumber needs a session bus (DBUS_SESSION_BUS_ADDRESS). Sourced
# before virtual-mic.sh by the scripts that want it, which install the
# pipewire group of tools/install-deps.sh.

. "$(dirname "${BASH_SOURCE[0]}")/need.sh"
need pipewire pipewire wireplumber wireplumber pipewire-pulse pipewire-pulse
virtual_mic_kind=pipewire

# Everything PipeWire keeps (WirePlumber's remembered defaults too) stays
# under DIR, so that a restart finds only what the script made.
virtual_mic_start_pipewire() {
  local dir=$1
  export XDG_CONFIG_HOME="$dir/config" XDG_STATE_HOME="$dir/state" XDG_DATA_HOME="$dir/data"
  mkdir -p "$XDG_CONFIG_HOME/pipewire/pipewire-pulse.conf.d"
  # The PulseAudio socket where the PulseAudio server would have it.
  cat >"$XDG_CONFIG_HOME/pipewire/pipewire-pulse.conf.d/socket.conf" <<CONF
pulse.properties = { server.address = [ "unix:$dir/pulse/native" ] }
CONF
  : >"$dir/pulse.log"
  pipewire >>"$dir/pulse.log" 2>&1 &
  virtual_mic_server=$!
  virtual_mic_servers=("$virtual_mic_server")
  # WirePlumber gives up at once when PipeWire is not listening yet, and
  # without it there is no default device to set: its clients start once
  # PipeWire's socket is there. The server removes the socket when it stops.
  virtual_mic_retry test -S "$XDG_RUNTIME_DIR/pipewire-0" || return 1
  wireplumber >>"$dir/pulse.log" 2>&1 &
  virtual_mic_servers+=("$!")
  pipewire-pulse >>"$dir/pulse.log" 2>&1 &
  virtual_mic_servers+=("$!")
}
