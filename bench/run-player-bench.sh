#!/usr/bin/env bash
# CPU time and peak memory of the media player beside a bare GStreamer playbin.
#
# Generates a WAV, an MP3 and a multi-instrument MIDI file of the same length
# (60 seconds unless BENCH_SECONDS says otherwise) and plays each in real time
# through "fakesink sync=true" three ways:
#   player     the media player (player_bench play)
#   in-process a plain playbin in the same kind of process: Qt application,
#              same libraries, no player (player_bench bare)
#   launch     gst-launch-1.0 playbin
# /usr/bin/time gives user+system CPU seconds and the peak resident set size.
# The player's own code costs the difference between the first two; the rest
# of the difference to gst-launch-1.0 is the Qt runtime.
#
# A real-time play of WAV or MP3 costs only a few tenths of a CPU second a
# minute, and single runs scatter by some 20 %. So all nine plays of a round
# run at once (they need little CPU, and all see the same machine load), and
# three rounds give the median of each figure.
#
# Target: the player costs less than 10 % more CPU and less than 5 MB more
# peak memory than gst-launch-1.0, for every format.
#
# Usage: bench/run-player-bench.sh [build directory]   (default: ./build)
set -euo pipefail

cd "$(dirname "$0")/.."
build_dir=${1:-build}
if [ "$build_dir" = build ]; then
  bench/build.sh player_bench
fi
bench="$build_dir/bin/player_bench"
seconds=${BENCH_SECONDS:-60}
rounds=${BENCH_ROUNDS:-3}
sink="fakesink sync=true"
cpu_target_percent=10
rss_target_mb=5
formats=(wav mp3 mid)
runners=(player in-process launch)

for tool in /usr/bin/time gst-launch-1.0; do
  command -v "$tool" >/dev/null || { echo "missing: $tool (run scripts/install-deps.sh)" >&2; exit 1; }
done
if [ ! -x "$bench" ]; then
  echo "missing: $bench (cmake --build $build_dir --target player_bench)" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$bench" generate "$work" "$seconds"

# Plays one file one way under /usr/bin/time; the figures land in the given
# file as "user system max-rss-kb".
measure() {
  local out=$1 runner=$2 file=$3
  local command
  case "$runner" in
    player) command=(env BROOKHUM_AUDIO_SINK="$sink" "$bench" play "$file") ;;
    in-process) command=(env BROOKHUM_AUDIO_SINK="$sink" "$bench" bare "$file") ;;
    launch) command=(gst-launch-1.0 -q playbin "uri=file://$file" "audio-sink=$sink") ;;
  esac
  /usr/bin/time -f "%U %S %M" -o "$out" "${command[@]}" >/dev/null 2>"$out.err" || {
    echo "failed: ${command[*]}" >&2
    cat "$out.err" >&2
    exit 1
  }
}

for round in $(seq "$rounds"); do
  pids=()
  for format in "${formats[@]}"; do
    for runner in "${runners[@]}"; do
      measure "$work/$runner.$format.$round.time" "$runner" "$work/bench.$format" &
      pids+=($!)
    done
  done
  for pid in "${pids[@]}"; do
    wait "$pid"
  done
done

# Median CPU seconds per minute of audio and median peak RSS in MB of one
# runner and format, as "cpu rss".
median() {
  cat "$work/$1.$2".*.time | awk -v seconds="$seconds" '
    { cpu[NR] = ($1 + $2) / (seconds / 60); rss[NR] = $3 / 1024 }
    function middle(values, n,    i, j, t) {
      for (i = 1; i <= n; i++)
        for (j = i + 1; j <= n; j++)
          if (values[j] < values[i]) { t = values[i]; values[i] = values[j]; values[j] = t }
      return n % 2 ? values[(n + 1) / 2] : (values[n / 2] + values[n / 2 + 1]) / 2
    }
    END { printf "%.3f %.1f\n", middle(cpu, NR), middle(rss, NR) }'
}

printf 'Media: %s s each, played in real time through "%s"; median of %s rounds.\n' "$seconds" "$sink" "$rounds"
printf 'Target: the player costs under %s %% more CPU and under %s MB more peak RSS than gst-launch-1.0, every format.\n\n' \
  "$cpu_target_percent" "$rss_target_mb"
printf '%-6s  %-52s  %10s  %12s\n' format runner "CPU s/min" "peak RSS MB"

all_met=yes
for format in "${formats[@]}"; do
  read -r player_cpu player_rss <<<"$(median player "$format")"
  read -r inprocess_cpu inprocess_rss <<<"$(median in-process "$format")"
  read -r launch_cpu launch_rss <<<"$(median launch "$format")"
  printf '%-6s  %-52s  %10s  %12s\n' "$format" "GstMediaPlayer (player_bench play)" "$player_cpu" "$player_rss"
  printf '%-6s  %-52s  %10s  %12s\n' "$format" "playbin in the same process (player_bench bare)" "$inprocess_cpu" "$inprocess_rss"
  printf '%-6s  %-52s  %10s  %12s\n' "$format" "gst-launch-1.0 playbin" "$launch_cpu" "$launch_rss"
  awk -v pc="$player_cpu" -v pm="$player_rss" -v ic="$inprocess_cpu" -v im="$inprocess_rss" \
      -v lc="$launch_cpu" -v lm="$launch_rss" -v cpu_target="$cpu_target_percent" -v rss_target="$rss_target_mb" '
    function percent(a, b) { return b > 0 ? (a - b) / b * 100 : 0 }
    BEGIN {
      cpu = percent(pc, lc); rss = pm - lm
      printf "%-6s  %-52s  %+9.1f%%  %+12.1f  %s\n", "", "player over gst-launch-1.0", cpu, rss,
        (cpu < cpu_target && rss < rss_target) ? "target met" : "target NOT met"
      printf "%-6s  %-52s  %+9.1f%%  %+12.1f\n", "", "player over the same-process playbin", percent(pc, ic), pm - im
    }' | tee "$work/verdict.$format"
  grep -q "NOT met" "$work/verdict.$format" && all_met=no
  echo
done

printf 'Target met for every format: %s\n' "$all_met"
