#!/usr/bin/env bash
# The track change as the listener hears it: the real program plays a
# directory of short files, each one tone, through a sound server of this
# script's own, and the null sink's monitor is recorded. The silence heard
# between two files, less the 3 seconds the program waits on purpose, is the
# track change. A bare gst-launch-1.0 playing the same files one after the
# other, with `sleep 3` between them, is measured the same way beside it.
#
# Per sound server (PulseAudio, PipeWire), format (WAV, MP3, MIDI on
# TimGM6mb) and build. Each run plays BENCH_FILES files (default 4), so
# gives BENCH_FILES - 1 pauses; BENCH_RUNS runs (default 1). About a minute
# and a half per server, format and build with the defaults.
#
# Usage: bench/run-track-change-bench.sh [label:build-directory ...]
#   e.g. bench/run-track-change-bench.sh before:/tmp/old/build after:build
# Builds may also come as BENCH_BUILDS="label:dir label:dir"; the default is
# this checkout's build/ ("brookhum"). Each build needs bin/brookhum.
# BENCH_SERVERS (default "pulseaudio pipewire") and BENCH_FORMATS (default
# "WAV MP3 MIDI") pick rows.
set -euo pipefail

cd "$(dirname "$0")/.."
source bench/common.sh
files=${BENCH_FILES:-4}
runs=${BENCH_RUNS:-1}
servers=${BENCH_SERVERS:-pulseaudio pipewire}
formats=${BENCH_FORMATS:-WAV MP3 MIDI}
soundfont=$sf2_dir/TimGM6mb.sf2

builds=("$@")
((${#builds[@]})) || read -ra builds <<<"${BENCH_BUILDS:-brookhum:build}"
labels=() programs=()
for build in "${builds[@]}"; do
  [[ $build == *:* ]] || build="$(basename "$(realpath -m "$build/..")"):$build"
  labels+=("${build%%:*}")
  programs+=("$(realpath -m "${build#*:}")/bin/brookhum")
  [[ -x ${programs[-1]} ]] || fail "missing: ${programs[-1]} (cmake --build ${build#*:} -j2 --target brookhum)"
done
((files >= 2 && files <= 4)) || fail "BENCH_FILES must be 2, 3 or 4"
for tool in gst-launch-1.0 python3 dbus-daemon; do
  command -v "$tool" >/dev/null || fail "missing: $tool (run scripts/install-deps.sh)"
done
packages=(timgm6mb-soundfont)
for server in $servers; do read -ra more <<<"$(sound_server_packages "$server")" && packages+=("${more[@]}"); done
install_bench_packages "${packages[@]}"

bench_begin track-change
export HOME=$work/home DBUS_SESSION_BUS_ADDRESS=disabled:
mkdir -p "$HOME"
results=$work/results
: >"$results"

# Plays the files of $2 with program $3 (or gst-launch-1.0 when $3 is empty)
# and appends the heard pauses to the results under player name $1.
measure_run() {
  local who=$1 media=$2 program=$3 recording=$work/heard.raw
  local timeout=$((files * 10 + 20))
  rm -f "$recording"
  start_recording "$recording"
  if [[ -n $program ]]; then
    local config=$work/config
    rm -rf "$config" && mkdir -p "$config"
    printf '[Brookhum]\nBrookhumPlayFlag=1\nBrookhumRandPlayFlag=0\nBrookhumSelectPlayFlag=1\n%s\n%s\n%s\n' \
      "BrookhumDirNo1=$media" "BrookhumDirNo1PlayFlag=1" "BrookhumSoundFont=$soundfont" >"$config/Tarnwick.conf"
    env -u BROOKHUM_AUDIO_SINK QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$config" \
      "$program" >"$work/player.log" 2>&1 &
    player=$!
    python3 bench/heard.py wait "$recording" "$files" "$timeout" ||
      fail "$who: $(tail -5 "$work/player.log")"
    stop_process "$player"
    player=
  else
    # One process per file, as a shell loop plays them.
    local file
    for file in "$media"/t*; do
      [[ $file == "$media/t1."* ]] || sleep 3
      if [[ $file == *.mid ]]; then
        gst-launch-1.0 -q filesrc location="$file" ! midiparse ! fluiddec soundfont="$soundfont" synth-gain=0.7 \
          ! audioconvert ! audioresample ! pulsesink >"$work/player.log" 2>&1 &
      else
        gst-launch-1.0 -q playbin uri="file://$file" audio-sink=pulsesink >"$work/player.log" 2>&1 &
      fi
      player=$!
      wait "$player" || fail "$who on $file: $(tail -5 "$work/player.log")"
      player=
    done
    python3 bench/heard.py wait "$recording" "$files" 10 || fail "$who"
  fi
  stop_recording
  local pauses
  pauses=$(python3 bench/heard.py pauses "$recording" "$files") || fail "$who played out of order"
  log "    $who: pauses ${pauses%|*} ms; sounds ${pauses#*|} ms"
  echo "$server_label|$format|$who|$pauses" >>"$results"
}

for server in $servers; do
  start_sound_server "$server" "$record_rate"
  log "$server_label"
  for format in $formats; do
    media=$work/media/$format
    mkdir -p "$media"
    python3 bench/heard.py write "$media" "$format" "$files"
    for ((run = 1; run <= runs; run++)); do
      log "  $format, run $run"
      for i in "${!labels[@]}"; do measure_run "Brookhum ${labels[i]}" "$media" "${programs[i]}"; done
      measure_run gst-launch-1.0 "$media" ""
    done
  done
  stop_sound_server
done

echo
echo "Track change as heard: the silence between two files in the null sink's monitor, less the 3 s the"
echo "program waits between files ($files files a run, $runs run(s), so $(((files - 1) * runs)) pauses per row)."
echo
python3 bench/heard.py track-table "$results"
echo
echo "Files: $files of 1 s, one tone each (440, 554, 698, 831 Hz in turn), as 44.1 kHz WAV, 128 kbit/s MP3 and" \
  "MIDI (one flute note) on $soundfont, played from directory slot 1 at start-up (QT_QPA_PLATFORM=offscreen)." \
  "gst-launch-1.0: one process per file, 'sleep 3' between them; playbin with pulsesink, MIDI through filesrc !" \
  "midiparse ! fluiddec soundfont=… synth-gain=0.7 ! audioconvert ! audioresample ! pulsesink."
echo "Recording: parecord --latency-msec=50 of the null sink's monitor at 48 kHz mono, silence kept playing." \
  "A sound begins at its first sample and ends after its last sample at or above -50 dBFS, followed out from" \
  "the 1-ms blocks that reach -40 dBFS: one sample (0.02 ms) of resolution, reported to 1 ms. Both ends of a" \
  "pause come from the same recording, so the capture latency does not enter. A file heard for less than its" \
  "second lost its start (the sound begins mid-wave): that loss is inside the heard pause."
