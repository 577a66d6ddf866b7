#!/usr/bin/env bash
# What playing costs through a real sound server: CPU seconds per minute of
# audio, wakeups a second (voluntary context switches of all threads) and
# resident memory of Brookhum, Audacious and a bare gst-launch-1.0, each
# playing the same WAV, MP3 and multi-instrument MIDI file into the null sink
# of a private PulseAudio daemon. MIDI runs once per soundfont present
# (TimGM6mb, FluidR3). A last row measures Brookhum idle in the tray.
#
# Each play is measured over a window inside its first play: from 5 seconds
# after its stream appeared, so start-up is not counted, for 40 seconds
# (BENCH_WINDOW). The files last 60 seconds (BENCH_SECONDS). All helpers
# (PulseAudio, Xvfb, trayer, the players) are children of this script and
# are ended by process id. About 10 minutes.
#
# Usage: bench/run-playback-cost-bench.sh [build directory]   (default: ./build)
# BENCH_PLAYERS (default "brookhum audacious gst-launch"; "brookhum-levelled"
# adds Brookhum with loudness levelled, on its first play and after) and BENCH_FORMATS
# (default "WAV MP3 TimGM6mb FluidR3_GM") pick rows for a quicker look.
set -euo pipefail

cd "$(dirname "$0")/.."
source bench/common.sh
build_dir=$(realpath -m "${1:-build}")
seconds=${BENCH_SECONDS:-60}
window=${BENCH_WINDOW:-40}
settle=5
idle_window=30

# The program under test is built elsewhere (scripts/build.sh, or a clone).
[[ -d $build_dir || ${1:-build} != build ]] || fail "missing: build/ (run scripts/build.sh first)"
brookhum=$build_dir/bin/brookhum
[[ -x $brookhum ]] || fail "missing: $brookhum (cmake --build $build_dir --target brookhum)"
((seconds >= settle + window + 5)) || fail "BENCH_SECONDS must be at least BENCH_WINDOW + 10"
for tool in Xvfb trayer xdotool gst-launch-1.0 python3 dbus-daemon; do
  command -v "$tool" >/dev/null || fail "missing: $tool (run scripts/install-deps.sh)"
done

# player_bench writes bench.wav, bench.mp3 and bench.mid; without it a
# python3 and gst-launch-1.0 stand-in writes the same kind of files.
generate_media() {
  if [[ -x $build_dir/bin/player_bench ]]; then
    "$build_dir/bin/player_bench" generate "$work" "$seconds"
    return
  fi
  local tone="audiotestsrc num-buffers=$((seconds * 100)) samplesperbuffer=441 volume=0.5"
  gst-launch-1.0 -q $tone ! audio/x-raw,format=S16LE,rate=44100,channels=1 ! wavenc ! filesink location="$work/bench.wav"
  gst-launch-1.0 -q $tone ! audio/x-raw,rate=44100,channels=2 ! audioconvert \
    ! lamemp3enc target=bitrate bitrate=128 cbr=true ! filesink location="$work/bench.mp3"
  python3 - "$work" "$seconds" <<'EOF'
import struct, sys
out, end = sys.argv[1], int(sys.argv[2]) * 1000
# One tick is one millisecond. Piano melody, strings, bass, brass, drums.
events = [(0, 0, bytes([0xC0 | ch, prog])) for ch, prog in ((0, 0), (1, 49), (2, 33), (3, 61))]
def note(ch, key, vel, start, length):
    if start < end:
        events.extend([(start, 2, bytes([0x90 | ch, key, vel])), (min(start + length, end), 1, bytes([0x80 | ch, key, 0]))])
scale = [60, 62, 64, 65, 67, 69, 71, 72, 71, 69, 67, 65, 64, 62]
for step, start in enumerate(range(0, end, 250)):
    note(0, scale[step % len(scale)], 110, start, 250)
for bar, start in enumerate(range(0, end, 1000)):
    root, third = [(48, 4), (53, 4), (55, 4), (45, 3)][bar % 4]
    for interval in (12, 12 + third, 19):
        note(1, root + interval, 100, start, 1000)
    for beat in (0, 500):
        note(2, root - 12, 110, start + beat, 450)
        for interval in (12 + third, 19):
            note(3, root + interval, 100, start + beat, 200)
        note(9, 36, 110, start + beat, 100); note(9, 38, 110, start + beat + 250, 100)
    for eighth in range(0, 1000, 125):
        note(9, 42, 90, start + eighth, 60)
def vlq(n):
    out = [n & 0x7F]
    while n := n >> 7: out.insert(0, (n & 0x7F) | 0x80)
    return bytes(out)
data, tick = vlq(0) + bytes([0xFF, 0x51, 3, 0x07, 0xA1, 0x20]), 0
for t, _, message in sorted(events, key=lambda e: e[:2]):
    data, tick = data + vlq(t - tick) + message, t
data += vlq(end - tick) + bytes([0xFF, 0x2F, 0])
with open(out + "/bench.mid", "wb") as f:
    f.write(b"MThd" + struct.pack(">IHHH", 6, 0, 1, 500) + b"MTrk" + struct.pack(">I", len(data)) + data)
EOF
}

# Starts one player on a file ($3, with soundfont $4 for MIDI) and sets $player.
start_player() {
  local name=$1 dir=$work/$1 file=$3 sf=$4
  rm -rf "$dir" && mkdir -p "$dir"
  case $name in
    brookhum | brookhum-levelled)
      # Slot 1 holds the file; play flag $2 (0: idle in the tray). Levelled,
      # the measurements are kept from one start to the next.
      printf '[Brookhum]\nBrookhumPlayFlag=%s\nBrookhumRandPlayFlag=0\nBrookhumSelectPlayFlag=2\n%s\n%s\n%s\n' "$2" \
        "BrookhumFileNo1=$file" "BrookhumFileNo1PlayFlag=1" "BrookhumSoundFont=$sf" >"$dir/Tarnwick.conf"
      [[ $name == brookhum-levelled ]] && echo BrookhumLevelFlag=1 >>"$dir/Tarnwick.conf"
      XDG_CONFIG_HOME=$dir XDG_CACHE_HOME=$work/level-cache "$brookhum" >"$dir.log" 2>&1 & ;;
    audacious)
      # The plugin registry enables the PulseAudio output alone; amidi-plug
      # takes the soundfont and its gain in tenths (7: 0.7, as Brookhum's).
      write_audacious_registry "$dir"
      printf '[amidiplug]\nfsyn_soundfont_file=%s\nfsyn_synth_gain=7\n' "$sf" >"$dir/audacious/config"
      XDG_CONFIG_HOME=$dir audacious -H "$file" >"$dir.log" 2>&1 & ;;
    gst-launch)
      # playbin cannot be given a soundfont from the command line, so MIDI
      # goes through the decoder chain that playbin would build.
      if [[ $file == *.mid ]]; then
        gst-launch-1.0 -q filesrc location="$file" ! midiparse ! fluiddec soundfont="$sf" synth-gain=0.7 \
          ! audioconvert ! audioresample ! pulsesink >"$dir.log" 2>&1 &
      else
        gst-launch-1.0 -q playbin uri="file://$file" audio-sink=pulsesink >"$dir.log" 2>&1 &
      fi ;;
  esac
  player=$!
}

# "sink corked application-name" of the stream that process $1 plays, if any.
stream_of() {
  pactl list sink-inputs | awk -v pid="\"$1\"" '
    /^Sink Input #/ { sink = ""; corked = ""; app = "" }
    /^\tSink:/ { sink = $2 }
    /^\tCorked:/ { corked = $2 }
    /application.name = / { app = $0; sub(/.*= "/, "", app); sub(/"$/, "", app) }
    /application.process.id = / && $3 == pid { print sink, corked, app }'
}
has_stream() { [[ -n $(stream_of "$1") ]]; }
# A stream is created corked while the pipeline prerolls; playing uncorks it.
is_playing() { [[ $(stream_of "$1") == *" no "* ]]; }
check_playing() {
  local sink corked app
  read -r sink corked app <<<"$(stream_of "$player")"
  # (The stream was named "brookhum" before it was named "Brookhum".)
  [[ $sink == "$bench_sink" && $corked == no && ${app,,} == "${1,,}" ]] ||
    fail "expected $1 (pid $player) to play into the null sink, found: ${sink:-no stream} ${corked:-} ${app:-}"
}

cpu_ticks() { local f; read -ra f <<<"$(sed 's/.*) //' "/proc/$1/stat")"; echo $((f[11] + f[12])); }
# Voluntary context switches of all threads (/proc/PID/status counts only the main one).
wakeups() { { cat /proc/"$1"/task/*/status 2>/dev/null || true; } | awk '/^voluntary_ctxt_switches/ {n += $2} END {print n}'; }
status_kb() { awk -v key="$2:" '$1 == key {print $2}' "/proc/$1/status"; }

# Measures $player over $1 seconds and appends a table row for $2 and $3.
# A peak RSS below $4 KiB (a soundfont's size) marks the row: that player
# cannot have loaded the soundfont the row names.
measure() {
  local length=$1 t0 t1 cpu0 vcs0 cpu1 vcs1 i
  t0=$EPOCHREALTIME cpu0=$(cpu_ticks "$player") vcs0=$(wakeups "$player")
  for ((i = 0; i < length; i++)); do
    sleep 1
    status_kb "$player" VmRSS >>"$work/rss"
  done
  t1=$EPOCHREALTIME cpu1=$(cpu_ticks "$player") vcs1=$(wakeups "$player")
  sort -n "$work/rss" | awk -v t0="$t0" -v t1="$t1" -v c0="$cpu0" -v c1="$cpu1" -v hz="$(getconf CLK_TCK)" \
    -v v0="$vcs0" -v v1="$vcs1" -v hwm="$(status_kb "$player" VmHWM)" -v who="$2" -v what="$3" -v least="${4:-0}" '
    { rss[NR] = $1 }
    END {
      if (hwm < least) what = what " ‡"
      span = t1 - t0; steady = NR % 2 ? rss[(NR + 1) / 2] : (rss[NR / 2] + rss[NR / 2 + 1]) / 2
      printf "| %s | %s | %.3f | %.1f | %.1f | %.1f |\n", who, what, (c1 - c0) / hz * 60 / span,
        (v1 - v0) / span, hwm / 1024, steady / 1024
    }' >>"$work/table"
  rm -f "$work/rss"
}

# Plays one file with one player and measures a window inside its first play.
play_row() {
  local name=$1 label=$2 app=$3 format=$4 file=$5 sf=${6:-}
  log "$format, $label: starting"
  start_player "$name" 1 "$file" "$sf"
  wait_until 20 is_playing "$player" || fail "$label played nothing within 20 s: $(tail -5 "$work/$name.log")"
  check_playing "$app"
  sleep "$settle"
  log "$format, $label: measuring ${window} s"
  measure "$window" "$label" "$format" "$([[ -z $sf ]] || echo $(($(stat -c %s "$sf") / 1024)))"
  check_playing "$app"
  stop_process "$player"
  player=
}

install_bench_packages pulseaudio pulseaudio-utils audacious audacious-plugins fluid-soundfont-gm
bench_begin playback-cost
export HOME=$work/home DBUS_SESSION_BUS_ADDRESS=disabled:
mkdir -p "$HOME"
start_sound_server pulseaudio 44100
start_desktop
generate_media
log "Media: ${seconds}-s WAV, MP3 and MIDI in $work"

soundfonts=()
for sf in TimGM6mb FluidR3_GM; do [[ -f $sf2_dir/$sf.sf2 ]] && soundfonts+=("$sf"); done
audacious_label="Audacious $(audacious --version | awk '{print $2}')"
printf '| player | format | CPU s/min | wakeups/s | peak RSS MB | steady RSS MB |\n|---|---|--:|--:|--:|--:|\n' >"$work/table"
for format in ${BENCH_FORMATS:-WAV MP3 ${soundfonts[*]}}; do
  case $format in
    WAV | MP3) file=$work/bench.${format,,} sf= label=$format ;;
    *) file=$work/bench.mid sf=$sf2_dir/$format.sf2 label="MIDI (${format%_GM})" ;;
  esac
  for name in ${BENCH_PLAYERS:-brookhum audacious gst-launch}; do
    case $name in
      brookhum) play_row brookhum Brookhum Brookhum "$label" "$file" "$sf" ;;
      brookhum-levelled)
        # The first play measures the file beside playing it; the next plays
        # it with its gain.
        rm -rf "$work/level-cache"
        play_row brookhum-levelled "Brookhum levelled, first play" Brookhum "$label" "$file" "$sf"
        play_row brookhum-levelled "Brookhum levelled" Brookhum "$label" "$file" "$sf" ;;
      audacious) play_row audacious "$audacious_label" Audacious "$label" "$file" "$sf" ;;
      gst-launch) play_row gst-launch gst-launch-1.0 gst-launch-1.0 "$label" "$file" "$sf" ;;
    esac
  done
done

log "Brookhum idle in the tray: measuring ${idle_window} s"
start_player brookhum 0 "$work/bench.wav" "$sf2_dir/TimGM6mb.sf2"
sleep "$settle"
has_ended "$player" && fail "Brookhum ended while idle: $(cat "$work/brookhum.log")"
has_stream "$player" && fail "Brookhum plays although its play flag is off"
measure "$idle_window" "Brookhum idle in the tray" "—"

cat "$work/table"
echo
fonts=$(for sf in "${soundfonts[@]}"; do printf '%s (%s MB), ' "$sf2_dir/$sf.sf2" $(($(stat -c %s "$sf2_dir/$sf.sf2") / 1048576)); done)
echo "Soundfonts, set in each player's settings: ${fonts%, };" \
  "default-GM.sf2 points to $(readlink -f "$sf2_dir/default-GM.sf2"). ‡: peak RSS below the soundfont's size," \
  "so that player did not load all of it (Brookhum loads only the instruments a file uses). gst-launch-1.0 plays MIDI through filesrc ! midiparse !" \
  "fluiddec soundfont=… synth-gain=0.7 ! audioconvert ! audioresample ! pulsesink, the rest through playbin."
echo "Sound server: $server_label with a null sink at 44.1 kHz." \
  "Window: ${window} s from ${settle} s after each stream appeared, inside the first play of a ${seconds}-s file;" \
  "the idle row: ${idle_window} s from ${settle} s after start, CPU per minute of wall time." \
  "Wakeups: voluntary context switches of all threads; steady RSS: median of per-second samples."
