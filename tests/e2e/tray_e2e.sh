#!/usr/bin/env bash
# The real program on a headless desktop with a tray host: the icon embeds,
# a right-button press opens the menu at the pointer, closing the message
# about a damaged settings file (the only window showing) leaves the program
# running, "閉じる(&E)" ends it with exit code 0, a second copy is refused
# while one runs, and a new start works afterwards, also after the first one
# was killed.
#
# Usage: tray_e2e.sh <path to brookhum>

program=$1
source "$(dirname "$0")/desktop.sh"
start_desktop
export DBUS_SESSION_BUS_ADDRESS=${DBUS_SESSION_BUS_ADDRESS:-disabled:}
export BROOKHUM_AUDIO_SINK="fakesink"
class=$(basename "$program")

start_program() {
    "$program" >>"$E2E_TMP/program.log" 2>&1 &
    PROGRAM_PID=$!
    E2E_PIDS+=("$PROGRAM_PID")
    wait_until 20 tray_icon_of "$class" >/dev/null || fail "the tray icon did not embed: $(cat "$E2E_TMP/program.log")"
    wait_until 10 shows_a_picture "$(tray_icon_of "$class")" || fail "the tray icon shows no picture"
}

close_from_menu() {
    local icon x y
    icon=$(tray_icon_of "$class")
    read -r x y < <(center_of "$icon")
    xdotool mousemove "$x" "$y"
    xdotool mousedown 3
    wait_until 10 open_menu_of "$class" >/dev/null || fail "the right-button press opened no menu"
    local menu mx my mw mh
    menu=$(open_menu_of "$class")
    read -r mx my mw mh < <(geometry_of "$menu")
    # The menu opens with its top-left corner at the pointer, shifted left
    # just enough to stay on the screen when the pointer is near its edge.
    local screen_width
    screen_width=$(xwininfo -root | awk '/Width:/ {print $2}')
    ((my == y && (mx == x || (mx < x && mx + mw == screen_width)))) ||
        fail "the menu at $mx,$my (${mw}x$mh) is not at the pointer $x,$y"
    xdotool mouseup 3
    is_viewable "$menu" || fail "releasing the button closed the menu"
    xdotool key e
}

# A first start over a damaged settings file: icon, message, menu, close with
# exit code 0.
printf '[Other]\nnote="\n[Brookhum]\nBrookhumPlayFlag=0\n' >"$XDG_CONFIG_HOME/Tarnwick.conf"
start_program
first=$PROGRAM_PID
message_shows() { xdotool search --onlyvisible --name '^brookhum$' >/dev/null; }
wait_until 10 message_shows || fail "no message about the damaged settings file"
xdotool windowfocus "$(xdotool search --onlyvisible --name '^brookhum$' | head -1)" key Return
wait_until 10 eval '! message_shows' || fail "the message did not close"
has_ended "$first" && fail "closing the message ended the program"

# A second copy while the first runs: exit code 1, the first one untouched.
second_code=0
timeout 20 "$program" >>"$E2E_TMP/program.log" 2>&1 || second_code=$?
[[ $second_code == 1 ]] || fail "a second copy exited with $second_code instead of 1"
[[ $(tray_icon_of "$class" | wc -l) == 1 ]] || fail "more than one tray icon"

close_from_menu
wait_for_exit "$first" 20
[[ $EXIT_CODE == 0 ]] || fail "closing from the menu gave exit code $EXIT_CODE"

# Starting again works; so does a start after the running copy was killed.
start_program
kill -KILL "$PROGRAM_PID"
wait_for_exit "$PROGRAM_PID" 10
start_program
close_from_menu
wait_for_exit "$PROGRAM_PID" 20
[[ $EXIT_CODE == 0 ]] || fail "the restarted program ended with exit code $EXIT_CODE"

echo "PASS"
