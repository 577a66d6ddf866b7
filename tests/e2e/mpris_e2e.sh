#!/usr/bin/env bash
# The real program on a private session bus, as the desktop's media controls
# and playerctl see it: the playing file's title from the very first file
# (started at start-up, before the controls exist), play, pause, next and
# stop, a track id per file, no command through a disabled entry, the
# player's own volume; the command-line options hand commands to the copy
# that runs; the session's end keeps where play stood.
#
# Usage: mpris_e2e.sh <path to brookhum>   (run under dbus-run-session)

program=$1
source "$(dirname "$0")/desktop.sh"
export XDG_RUNTIME_DIR=$E2E_TMP/runtime XDG_CONFIG_HOME=$E2E_TMP/config QT_QPA_PLATFORM=offscreen
export BROOKHUM_AUDIO_SINK="fakesink sync=true"
mkdir -p -m 0700 "$XDG_RUNTIME_DIR" && mkdir -p "$XDG_CONFIG_HOME" "$E2E_TMP/music"
for name in "one tone" "two tone"; do
    gst-launch-1.0 -q audiotestsrc num-buffers=400 ! audio/x-raw,rate=44100,channels=1 ! wavenc \
        ! filesink location="$E2E_TMP/music/$name.wav"
done
printf '[Brookhum]\nBrookhumPlayFlag=1\nBrookhumDirNo1=%s\nBrookhumDirNo1PlayFlag=1\nBrookhumVolume=40%%\n' "$E2E_TMP/music" \
    >"$XDG_CONFIG_HOME/Tarnwick.conf"

player() { playerctl --player=brookhum "$@" 2>&1; }
status_is() { [[ $(player status) == "$1" ]]; }
title() { player metadata --format '{{xesam:title}}'; }
track_id() { player metadata mpris:trackid; }
expect_exit() {
    local code=0
    "$program" "${@:2}" >"$E2E_TMP/out" 2>&1 || code=$?
    [[ $code == "$1" ]] || fail "brookhum ${*:2} exited with $code, not $1: $(cat "$E2E_TMP/out")"
}

expect_exit 1 --pause
expect_exit 2 --no-such-option
expect_exit 0 --version
grep -q "^Brookhum [0-9]" "$E2E_TMP/out" || fail "--version printed: $(cat "$E2E_TMP/out")"

gdbus monitor --session --dest org.mpris.MediaPlayer2.brookhum >"$E2E_TMP/signals" 2>&1 &
E2E_PIDS+=($!)
"$program" >"$E2E_TMP/program.log" 2>&1 &
E2E_PIDS+=($!)
program_pid=$!
wait_until 20 status_is Playing || fail "no play at start-up: $(player status) $(cat "$E2E_TMP/program.log")"
[[ $(title) == "one tone.wav" ]] || fail "the first file's metadata: $(player metadata)"
player metadata | grep -q "xesam:url.*file://.*one%20tone.wav" || fail "no url: $(player metadata)"
player metadata | grep -q "mpris:length *9" || fail "no length: $(player metadata)"
first=$(track_id)
[[ $first == */track/* ]] || fail "no track id: $(player metadata)"
expect_exit 1 # a second plain start is refused silently

expect_exit 0 --pause
wait_until 5 status_is Paused || fail "pause: $(player status)"
wait_until 5 grep -q "'PlaybackStatus': <'Paused'>" "$E2E_TMP/signals" || fail "no PropertiesChanged for the pause"
player play-pause
wait_until 5 status_is Playing || fail "resume: $(player status)"
player next
wait_until 10 sh -c '[ "$(playerctl --player=brookhum metadata --format "{{xesam:title}}")" = "two tone.wav" ]' ||
    fail "next did not move play on: $(player metadata)"
[[ $(track_id) != "$first" ]] || fail "the next file kept the track id"

expect_exit 0 --stop
wait_until 5 status_is Stopped || fail "stop: $(player status)"
gdbus call --session --dest org.mpris.MediaPlayer2.brookhum --object-path /org/mpris/MediaPlayer2 \
    --method org.freedesktop.DBus.Properties.Get org.mpris.MediaPlayer2.Player CanGoNext | grep -q false ||
    fail "next is offered while stopped"
expect_exit 0 --next # a disabled entry: nothing happens
status_is Stopped || fail "next while stopped changed: $(player status)"
second=$(track_id)
expect_exit 0 --play
wait_until 5 status_is Playing || fail "play after stop: $(player status)"
[[ $(title) == "one tone.wav" && $(track_id) != "$second" ]] || fail "play after stop: $(player metadata)"

# The desktop's repeat and shuffle switches are the menu's check marks.
player loop Track
[[ $(player loop) == Track ]] || fail "loop status: $(player loop)"
player loop Playlist
[[ $(player loop) == Playlist ]] || fail "loop status: $(player loop)"
player shuffle On
grep -q "BrookhumRandPlayFlag=1" "$XDG_CONFIG_HOME/Tarnwick.conf" || fail "shuffle did not switch random order"

# The player's own volume: a stored one that is not a whole number plays at
# full volume and stays; the desktop's controls and --volume set it, each
# change is stored and announced; a bad volume changes nothing.
[[ $(player volume) == 1.0* ]] && grep -qx "BrookhumVolume=40%" "$XDG_CONFIG_HOME/Tarnwick.conf" ||
    fail "a stored volume of 40% reads as $(player volume)"
set_volume() { gdbus call --session --dest org.mpris.MediaPlayer2.brookhum --object-path /org/mpris/MediaPlayer2 \
    --method org.freedesktop.DBus.Properties.Set org.mpris.MediaPlayer2.Player Volume "<$1>" >/dev/null; }
set_volume -0.5 && grep -qx "BrookhumVolume=0" "$XDG_CONFIG_HOME/Tarnwick.conf" || fail "a volume below silence is not clamped"
set_volume 1.7 && grep -qx "BrookhumVolume=100" "$XDG_CONFIG_HOME/Tarnwick.conf" || fail "a volume above full is not clamped"
player volume 0.3
grep -qx "BrookhumVolume=30" "$XDG_CONFIG_HOME/Tarnwick.conf" || fail "playerctl volume 0.3 was not stored"
expect_exit 0 --volume 40
[[ $(player volume) == 0.40* ]] || fail "--volume 40 reads as $(player volume)"
wait_until 5 grep -q "'Volume': <0.4" "$E2E_TMP/signals" || fail "no PropertiesChanged for --volume"
for bad in "" abc 5.5 -1 101 " 7"; do expect_exit 2 --volume "$bad"; done
expect_exit 2 --volume
grep -q "from 0 to 100" "$E2E_TMP/out" || fail "a missing volume is not explained: $(cat "$E2E_TMP/out")"
grep -qx "BrookhumVolume=40" "$XDG_CONFIG_HOME/Tarnwick.conf" || fail "a refused volume changed the stored one"

expect_exit 0 --quit
wait_for_exit "$program_pid" 10
[[ $EXIT_CODE == 0 ]] || fail "--quit gave exit code $EXIT_CODE"

# --play starts a copy when none runs (here with play at start-up off).
# The session's end (SIGTERM) ends it as closing does, keeping where play
# stood for the next start.
sed -i 's/^BrookhumPlayFlag=1/BrookhumPlayFlag=0/' "$XDG_CONFIG_HOME/Tarnwick.conf"
echo "BrookhumResumeFlag=1" >>"$XDG_CONFIG_HOME/Tarnwick.conf"
"$program" --play >"$E2E_TMP/program.log" 2>&1 &
E2E_PIDS+=($!)
program_pid=$!
wait_until 20 status_is Playing || fail "--play did not start play: $(cat "$E2E_TMP/program.log")"
wait_until 5 sh -c '[ "$(playerctl --player=brookhum position | cut -d. -f1)" -ge 1 ]' || fail "no place to keep"
kill -TERM "$program_pid"
wait_for_exit "$program_pid" 10
[[ $EXIT_CODE == 0 ]] || fail "SIGTERM gave exit code $EXIT_CODE"
grep -q "^BrookhumResumeFile=.*/music/[a-z]* tone.wav" "$XDG_CONFIG_HOME/Tarnwick.conf" || fail "SIGTERM kept no file: $(cat "$XDG_CONFIG_HOME/Tarnwick.conf")"
grep -qE "^BrookhumResumePosition=[1-9][0-9]{3}" "$XDG_CONFIG_HOME/Tarnwick.conf" || fail "SIGTERM kept no place"
echo PASS
