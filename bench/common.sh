# Shared by the benchmark scripts that run real players through a sound
# server of their own: process helpers, package installs, the sound servers
# (PulseAudio or PipeWire, each with a null sink), the recording of what the
# null sink plays, and a headless desktop with a tray host.
#
# Every helper process is a child of the sourcing script, kept in `helpers`
# (or in `player` for the player under test) and ended by process id when the
# script exits: PID 1 does not reap orphans on these machines.
#
# Usage: source bench/common.sh; bench_begin NAME; ...

# shellcheck shell=bash disable=SC2034  # the sourcing scripts use the variables set here

sf2_dir=/usr/share/sounds/sf2

log() { echo "$*" >&2; }
fail() { echo "FAIL: $*" >&2; exit 1; }

# A private work directory, removed at exit with every helper still running.
bench_begin() {
  work=$(mktemp -d "/tmp/$1.XXXXXX")
  helpers=()
  player=
  trap bench_end EXIT
  # A signal ends the script through its exit, so the helpers are ended too.
  trap 'exit 130' INT TERM HUP PIPE
}

bench_end() {
  [[ -n $player ]] && stop_process "$player"
  stop_helpers_from 0
  rm -rf "$work"
}

# Ends the helpers started since ${#helpers[@]} was $1, newest first.
stop_helpers_from() {
  local i
  for ((i = ${#helpers[@]} - 1; i >= $1; i--)); do stop_process "${helpers[i]}"; done
  helpers=("${helpers[@]:0:$1}")
}

# Runs a command until it succeeds, for at most $1 seconds.
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.05
  done
}

# Ends a child with SIGTERM, and with SIGKILL if it is still there 10 s later.
stop_process() {
  kill -TERM "$1" 2>/dev/null || true
  wait_until 10 has_ended "$1" || kill -KILL "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}
has_ended() { [[ ! -r /proc/$1/stat ]] || [[ $(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | cut -c1) == [ZX] ]]; }

# Installs the Debian packages given that are missing. These are needed by
# the benchmarks only, so they are installed here rather than by
# scripts/install-deps.sh.
install_bench_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$' || missing+=("$p")
  done
  ((${#missing[@]})) || return 0
  local sudo=() before
  (($(id -u) == 0)) || sudo=(sudo)
  # FluidR3 outranks TimGM6mb as default-GM.sf2; installing it for a benchmark
  # must not change which soundfont the machine's programs and tests use.
  before=$(readlink -f "$sf2_dir/default-GM.sf2" || true)
  log "Installing: ${missing[*]}"
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq || true
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
  if [[ -f $before && $(readlink -f "$sf2_dir/default-GM.sf2") != "$before" ]]; then
    "${sudo[@]}" update-alternatives --set default-GM.sf2 "$before" >&2
  fi
}

# The packages each sound server needs. pipewire-audio and pipewire-alsa
# would remove PulseAudio, so PipeWire comes as its parts.
sound_server_packages() {
  case $1 in
    pulseaudio) echo pulseaudio pulseaudio-utils ;;
    pipewire) echo pulseaudio-utils pipewire pipewire-bin wireplumber pipewire-pulse ;;
    *) fail "unknown sound server: $1 (pulseaudio or pipewire)" ;;
  esac
}

# Starts sound server $1 ("pulseaudio" or "pipewire") with one null sink,
# "bench", at $2 samples a second, the default sink, in a directory of its
# own under $work: its own XDG_RUNTIME_DIR and session bus. Exports
# XDG_RUNTIME_DIR and PULSE_SERVER for the clients; sets server_mark, for
# stop_sound_server, and server_label.
start_sound_server() {
  local kind=$1 rate=$2 dir=$work/$1
  server_mark=${#helpers[@]}
  rm -rf "$dir" && mkdir -p "$dir/config" && mkdir -m 0700 "$dir/runtime"
  export XDG_RUNTIME_DIR=$dir/runtime PULSE_SERVER=unix:$dir/runtime/pulse/native
  # The servers own the bus name org.pulseaudio.Server: a bus of their own
  # keeps them apart from any other server on the machine.
  dbus-daemon --session --nofork --nopidfile --address="unix:path=$dir/bus" 2>"$dir/dbus.log" &
  helpers+=($!)
  wait_until 20 test -S "$dir/bus" || fail "dbus-daemon did not start: $(cat "$dir/dbus.log")"
  local server_env=(env DBUS_SESSION_BUS_ADDRESS="unix:path=$dir/bus" XDG_CONFIG_HOME="$dir/config")
  case $kind in
    pulseaudio)
      mkdir -p "$XDG_RUNTIME_DIR/pulse"
      cat >"$dir/server.pa" <<EOF
load-module module-native-protocol-unix socket=$XDG_RUNTIME_DIR/pulse/native auth-anonymous=1
load-module module-null-sink sink_name=bench rate=$rate
set-default-sink bench
EOF
      # As root PulseAudio warns that it is not meant for root but runs in
      # user mode.
      "${server_env[@]}" PULSE_RUNTIME_PATH="$XDG_RUNTIME_DIR/pulse" pulseaudio -n --daemonize=no \
        --exit-idle-time=-1 --use-pid-file=no --log-target=stderr -F "$dir/server.pa" 2>"$dir/server.log" &
      helpers+=($!) ;;
    pipewire)
      mkdir -p "$dir/config/pipewire/pipewire.conf.d"
      cat >"$dir/config/pipewire/pipewire.conf.d/bench-sink.conf" <<EOF
context.objects = [
  { factory = adapter
    args = {
      factory.name = support.null-audio-sink
      node.name = bench
      node.description = "Benchmark null sink"
      media.class = Audio/Sink
      audio.position = [ FL FR ]
      audio.rate = $rate
      monitor.channel-volumes = true
    }
  }
]
EOF
      local part
      for part in pipewire wireplumber pipewire-pulse; do
        "${server_env[@]}" "$part" >"$dir/$part.log" 2>&1 &
        helpers+=($!)
      done ;;
  esac
  wait_until 20 has_bench_sink || fail "$kind did not start: $(tail -n 5 "$dir"/*.log)"
  # WirePlumber makes the only sink the default, but not always at once.
  pactl set-default-sink bench
  case $kind in
    pulseaudio) server_label="PulseAudio $(pactl info | awk -F': ' '/^Server Version/ {print $2}')" ;;
    pipewire) server_label="PipeWire $(pactl info | sed -n 's/^Server Name: .*PipeWire \([0-9.]*\).*/\1/p')" ;;
  esac
  bench_sink=$(pactl list short sinks | awk '$2 == "bench" {print $1}')
}
has_bench_sink() { pactl list short sinks 2>/dev/null | grep -q $'\tbench\t'; }

stop_sound_server() {
  stop_helpers_from "$server_mark"
  unset PULSE_SERVER
}

# Records what the null sink plays into $1 (raw, 48 kHz mono s16le). An idle
# null sink sends nothing to its monitor and the recorder loses about the
# first half second after it connects, so silence is played all along and
# the recording runs a second before this returns. A short capture latency:
# at the default one the recorder delivers in large blocks and loses what
# came last. Sets recording_mark, for stop_recording.
record_rate=48000
start_recording() {
  recording_mark=${#helpers[@]}
  pacat --playback --raw --rate=$record_rate --channels=1 --format=s16le /dev/zero &
  helpers+=($!)
  parecord --latency-msec=50 --device=bench.monitor --rate=$record_rate --channels=1 --format=s16le --raw "$1" &
  helpers+=($!)
  wait_until 20 recorded_at_least "$1" $((2 * record_rate)) || fail "nothing recorded from bench.monitor"
}
recorded_at_least() { [[ -f $1 && $(stat -c %s "$1") -ge $2 ]]; }
stop_recording() { stop_helpers_from "$recording_mark"; }

# Xvfb and a tray host; exports DISPLAY.
start_desktop() {
  mkfifo "$work/display"
  Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x800x24 3>"$work/display" 2>"$work/xvfb.log" &
  helpers+=($!)
  local display
  read -r -t 20 display <"$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  export DISPLAY=:$display
  trayer --edge top --align right --widthtype request --height 24 >"$work/trayer.log" 2>&1 &
  helpers+=($!)
  wait_until 20 eval 'xdotool search --classname trayer >/dev/null 2>&1' || fail "trayer did not start"
}

# Whether a window of WM_CLASS instance $1 sits in the tray: one whose parent
# is not the root window. One xwininfo a call, so it can be polled fast.
has_tray_icon() {
  xwininfo -root -tree 2>/dev/null | awk -v class="(\"$1\"" '
    /^     [^ ]/ { next }                # the root window'"'"'s own children
    index($0, class) { found = 1 }
    END { exit !found }'
}

# Audacious's plugin registry in $1/audacious: the PulseAudio output alone,
# and the status icon (the tray icon of its Qt interface) when $2 is "tray".
# A plugin whose stamp (the file's time) differs is probed again and keeps
# its default, so a plugin enabled beyond the output needs its real stamp.
write_audacious_registry() {
  local registry=$1/audacious/plugin-registry plugin
  mkdir -p "$1/audacious"
  printf 'format 11\noutput %s\nstamp 1\nenabled 1\n' /usr/lib/*/audacious/Output/pulse_audio.so >"$registry"
  if [[ ${2:-} == tray ]]; then
    plugin=$(echo /usr/lib/*/audacious/General/statusicon-qt.so)
    printf 'general %s\nstamp %s\nenabled 1\n' "$plugin" "$(stat -c %Y "$plugin")" >>"$registry"
  fi
}
