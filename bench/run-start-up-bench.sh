#!/usr/bin/env bash
# Start-up of the real program beside Audacious, on a headless desktop with a
# tray host (Xvfb, trayer) and a PulseAudio null sink of the script's own:
# from the start of the process to its tray icon, and to the first sound
# heard with play at start-up (a 1-s tone as WAV, MP3 or MIDI on TimGM6mb).
#
# The icon is the player's window whose parent is not the root window (it
# sits in trayer's panel), polled as fast as xwininfo answers. The sound is
# found in a recording of the null sink's monitor; the launch is placed in
# that recording by the recording's size at the moment of launch. Each player
# runs once unmeasured first, so both start with warm caches and Audacious
# with its plugins already probed. About 2 minutes.
#
# Usage: bench/run-start-up-bench.sh [build directory]   (default: ./build)
# BENCH_RUNS (default 5) runs per row; BENCH_PLAYERS (default "brookhum
# audacious"), BENCH_FORMATS (default "WAV MP3 MIDI") and BENCH_SERVERS
# (default "pulseaudio"; "pipewire" too) pick rows.
set -euo pipefail

cd "$(dirname "$0")/.."
source bench/common.sh
build_dir=$(realpath -m "${1:-build}")
brookhum=$build_dir/bin/brookhum
runs=${BENCH_RUNS:-5}
soundfont=$sf2_dir/TimGM6mb.sf2
[[ -x $brookhum ]] || fail "missing: $brookhum (cmake --build $build_dir -j2 --target brookhum)"
for tool in Xvfb trayer xdotool xwininfo gst-launch-1.0 python3 dbus-daemon; do
  command -v "$tool" >/dev/null || fail "missing: $tool (run scripts/install-deps.sh)"
done
packages=(audacious audacious-plugins timgm6mb-soundfont)
for server in ${BENCH_SERVERS:-pulseaudio}; do read -ra more <<<"$(sound_server_packages "$server")" && packages+=("${more[@]}"); done
install_bench_packages "${packages[@]}"

bench_begin start-up
export HOME=$work/home DBUS_SESSION_BUS_ADDRESS=disabled:
mkdir -p "$HOME"
start_desktop
results=$work/results
: >"$results"
audacious_label="Audacious $(audacious --version | awk '{print $2}')"

# Writes the settings of player $1 for file $2 into a fresh $work/config.
prepare_player() {
  local config=$work/config
  rm -rf "$config" && mkdir -p "$config"
  case $1 in
    brookhum)
      # Directory slot 1 holds the file's directory; play at start-up.
      printf '[Brookhum]\nBrookhumPlayFlag=1\nBrookhumRandPlayFlag=0\nBrookhumSelectPlayFlag=1\n%s\n%s\n%s\n' \
        "BrookhumDirNo1=$(dirname "$2")" "BrookhumDirNo1PlayFlag=1" "BrookhumSoundFont=$soundfont" \
        >"$config/Tarnwick.conf" ;;
    audacious)
      # Its warmed-up plugin registry (PulseAudio output and status icon),
      # and amidi-plug's soundfont and gain in tenths (7: 0.7, as Brookhum's).
      if [[ -f $work/audacious-registry ]]; then
        mkdir -p "$config/audacious" && cp "$work/audacious-registry" "$config/audacious/plugin-registry"
      else
        write_audacious_registry "$config" tray
      fi
      printf '[amidiplug]\nfsyn_soundfont_file=%s\nfsyn_synth_gain=7\n' "$soundfont" >"$config/audacious/config" ;;
  esac
}

launch_player() {
  case $1 in
    brookhum) env -u BROOKHUM_AUDIO_SINK XDG_CONFIG_HOME="$work/config" "$brookhum" >"$work/player.log" 2>&1 & ;;
    audacious) XDG_CONFIG_HOME=$work/config audacious "$2" >"$work/player.log" 2>&1 & ;;
  esac
  player=$!
}

# One start of player $1 ($2 in rows) on file $4; a row in the results
# unless $3 is "warm-up".
measure_start() {
  local name=$1 label=$2 mode=$3 file=$4 format=$5 recording=$work/heard.raw
  local at_launch started icon_at deadline=$((SECONDS + 30))
  prepare_player "$name" "$file"
  rm -f "$recording"
  start_recording "$recording"
  at_launch=$(stat -c %s "$recording")
  started=$EPOCHREALTIME
  launch_player "$name" "$file"
  until has_tray_icon "$name"; do
    if ((SECONDS >= deadline)) || has_ended "$player"; then
      fail "$label showed no tray icon: $(tail -5 "$work/player.log")"
    fi
  done
  icon_at=$EPOCHREALTIME
  python3 bench/heard.py wait "$recording" 1 30 || fail "$label: $(tail -5 "$work/player.log")"
  stop_process "$player"
  player=
  stop_recording
  if [[ $mode == warm-up ]]; then
    if [[ $name == audacious ]]; then cp "$work/config/audacious/plugin-registry" "$work/audacious-registry"; fi
    return 0
  fi
  local icon_ms sound_ms
  icon_ms=$(awk -v a="$started" -v b="$icon_at" 'BEGIN { printf "%.1f", (b - a) * 1000 }')
  sound_ms=$(python3 bench/heard.py first "$recording" "$at_launch")
  log "    $label: icon $icon_ms ms, first sound $sound_ms ms"
  echo "$label|$server_label, $format|$icon_ms|$sound_ms" >>"$results"
}

for server in ${BENCH_SERVERS:-pulseaudio}; do
  start_sound_server "$server" "$record_rate"
  log "$server_label"
  for format in ${BENCH_FORMATS:-WAV MP3 MIDI}; do
    media=$work/media/$format
    mkdir -p "$media"
    python3 bench/heard.py write "$media" "$format" 1
    file=$(echo "$media"/t1.*)
    log "  $format"
    for name in ${BENCH_PLAYERS:-brookhum audacious}; do
      case $name in
        brookhum) label=Brookhum ;;
        audacious) label=$audacious_label ;;
        *) fail "unknown player: $name (brookhum or audacious)" ;;
      esac
      measure_start "$name" "$label" warm-up "$file" "$format"
      for ((run = 1; run <= runs; run++)); do measure_start "$name" "$label" measured "$file" "$format"; done
    done
  done
  stop_sound_server
done

echo
echo "Start-up: from the start of the process to its tray icon and to the first sound heard, play at start-up."
echo
python3 bench/heard.py start-up-table "$results"
echo
echo "Tray icon: the player's window inside trayer's panel (parent not the root window), polled with xwininfo" \
  "(a poll takes a few ms); Xvfb and trayer, DBUS_SESSION_BUS_ADDRESS=disabled: (so Qt uses the XEmbed tray)." \
  "Audacious: its Qt interface with the Status Icon plugin and the PulseAudio output enabled in its plugin registry;" \
  "its main window shows too. Brookhum: directory slot 1 holds the file; Audacious gets it on the command line."
echo "First sound: the first sample at or above -50 dBFS in a recording of the null sink's monitor" \
  "(parecord --latency-msec=50, 48 kHz, silence kept playing, running a second before the launch). The launch is" \
  "placed in the recording by the recording's size at launch; what the recorder had heard but not yet written then" \
  "(up to its 50-ms capture latency) makes the figures up to about 50 ms too long, the same for both players." \
  "$runs runs per row after one unmeasured warm-up run; 1-s files, MIDI on $soundfont."
