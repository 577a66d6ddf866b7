#!/usr/bin/env bash
# The real program on a private session bus: the desktop's media controls
# (MPRIS) follow play, pause and stop, carry the playing file's name and a
# track id, and commands to disabled entries do nothing; the command-line
# options hand commands to the copy that runs.
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
printf '[Brookhum]\nBrookhumDirNo1=%s\nBrookhumDirNo1PlayFlag=1\n' "$E2E_TMP/music" >"$XDG_CONFIG_HOME/Tarnwick.conf"

property() {
    gdbus call --session --dest org.mpris.MediaPlayer2.brookhum --object-path /org/mpris/MediaPlayer2 \
        --method org.freedesktop.DBus.Properties.Get org.mpris.MediaPlayer2.Player "$1" 2>/dev/null
}
status_is() { [[ $(property PlaybackStatus) == "(<'$1'>,)" ]]; }
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
"$program" --play >"$E2E_TMP/program.log" 2>&1 &
E2E_PIDS+=($!)
program_pid=$!
wait_until 20 status_is Playing || fail "--play did not start play: $(cat "$E2E_TMP/program.log")"
property Metadata | grep -q "'xesam:title': <'one tone.wav'>" || fail "metadata: $(property Metadata)"
first=$(property Metadata | grep -o "track/[0-9]*")
[[ -n $first ]] || fail "no track id: $(property Metadata)"
expect_exit 1 # a second plain start is refused silently

expect_exit 0 --pause
wait_until 5 status_is Paused || fail "pause: $(property PlaybackStatus)"
wait_until 5 grep -q "'PlaybackStatus': <'Paused'>" "$E2E_TMP/signals" || fail "no PropertiesChanged for the pause"
expect_exit 0 --play-pause
wait_until 5 status_is Playing || fail "resume: $(property PlaybackStatus)"
expect_exit 0 --next
wait_until 10 sh -c "gdbus call --session --dest org.mpris.MediaPlayer2.brookhum --object-path /org/mpris/MediaPlayer2 \
    --method org.freedesktop.DBus.Properties.Get org.mpris.MediaPlayer2.Player Metadata | grep -q 'two tone'" ||
    fail "next did not move play on: $(property Metadata)"
[[ $(property Metadata | grep -o "track/[0-9]*") != "$first" ]] || fail "the next file kept the track id"

expect_exit 0 --stop
wait_until 5 status_is Stopped || fail "stop: $(property PlaybackStatus)"
[[ $(property CanGoNext) == "(<false>,)" ]] || fail "next is offered while stopped"
expect_exit 0 --next # a disabled entry: nothing happens
status_is Stopped || fail "next while stopped changed: $(property PlaybackStatus)"

# The desktop's repeat and shuffle switches are the menu's check marks.
set_property() {
    gdbus call --session --dest org.mpris.MediaPlayer2.brookhum --object-path /org/mpris/MediaPlayer2 \
        --method org.freedesktop.DBus.Properties.Set org.mpris.MediaPlayer2.Player "$1" "$2" >/dev/null
}
set_property LoopStatus "<'Track'>"
[[ $(property LoopStatus) == "(<'Track'>,)" ]] || fail "loop status: $(property LoopStatus)"
set_property LoopStatus "<'Playlist'>"
[[ $(property LoopStatus) == "(<'Playlist'>,)" ]] || fail "loop status: $(property LoopStatus)"
set_property Shuffle "<true>"
grep -q "BrookhumRandPlayFlag=1" "$XDG_CONFIG_HOME/Tarnwick.conf" || fail "shuffle did not switch random order"

expect_exit 0 --quit
wait_for_exit "$program_pid" 10
[[ $EXIT_CODE == 0 ]] || fail "--quit gave exit code $EXIT_CODE"
echo PASS
