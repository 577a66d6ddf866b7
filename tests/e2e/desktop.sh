# Shared by the end-to-end tests: a private headless desktop (Xvfb, a tray
# host, optionally a window manager) whose processes are children of the test
# and are ended by process id when it exits.
#
# Usage: source desktop.sh; start_desktop [--window-manager]; ...
# Needs: Xvfb, trayer, openbox, xdotool, xwininfo, xprop, xwd.

set -euo pipefail

E2E_TMP=$(mktemp -d)
E2E_PIDS=()

stop_desktop() {
    local pid
    for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
        pid=${E2E_PIDS[i]}
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$E2E_TMP"
}
trap stop_desktop EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
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

start_desktop() {
    export XDG_RUNTIME_DIR=$E2E_TMP/runtime XDG_CONFIG_HOME=$E2E_TMP/config
    mkdir -p -m 0700 "$XDG_RUNTIME_DIR"
    mkdir -p "$XDG_CONFIG_HOME"

    # Xvfb picks a free display and writes its number to the pipe.
    mkfifo "$E2E_TMP/display"
    Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x800x24 3>"$E2E_TMP/display" 2>"$E2E_TMP/xvfb.log" &
    E2E_PIDS+=($!)
    local display
    read -r -t 20 display <"$E2E_TMP/display" || fail "Xvfb did not start: $(cat "$E2E_TMP/xvfb.log")"
    export DISPLAY=:$display

    if [[ ${1:-} == --window-manager ]]; then
        openbox --sm-disable >"$E2E_TMP/openbox.log" 2>&1 &
        E2E_PIDS+=($!)
        wait_until 20 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || fail "openbox did not start"
    fi

    trayer --edge top --align right --widthtype request --height 24 --SetDockType true >"$E2E_TMP/trayer.log" 2>&1 &
    E2E_PIDS+=($!)
    wait_until 20 xdotool search --classname trayer >/dev/null 2>&1 || fail "trayer did not start"
}

# The viewable windows of a process (by WM_CLASS instance name) with their
# parents: "<window> <parent>" per line.
viewable_windows_of() {
    local w
    for w in $(xdotool search --classname "$1" 2>/dev/null); do
        xwininfo -id "$w" 2>/dev/null | grep -q 'Map State: IsViewable' &&
            echo "$w $(xwininfo -children -id "$w" | awk '/Parent window id:/ {print $4}')"
    done
    return 0
}

is_viewable() {
    xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'
}

# The tray icon: the window of the class that sits inside the tray host
# rather than on the root window.
tray_icon_of() {
    local root w parent
    root=$(xwininfo -root | awk '/Window id:/ {print $4}')
    while read -r w parent; do
        [[ $parent != "$root" ]] && echo "$w" && return 0
    done < <(viewable_windows_of "$1")
    return 1
}

# Whether a window shows a picture rather than one plain colour: an icon
# that failed to load leaves the tray host's background. Reads xwd's dump:
# a big-endian header (its size first, the colour count at byte 76), 12
# bytes per colour, then the pixels.
shows_a_picture() {
    local dump=$E2E_TMP/window.xwd header_size colours
    xwd -silent -id "$1" >"$dump" 2>/dev/null || return 1
    header_size=$(od -An -tu4 --endian=big -N4 "$dump")
    colours=$(od -An -tu4 --endian=big -j76 -N4 "$dump")
    (($(tail -c +$((header_size + colours * 12 + 1)) "$dump" | od -An -tx4 -v | tr -s ' ' '\n' | sort -u | grep -c .) > 1))
}

# A popup menu of the class that is open on screen: an override-redirect
# window on the root window that is not a tooltip.
open_menu_of() {
    local root w parent
    root=$(xwininfo -root | awk '/Window id:/ {print $4}')
    while read -r w parent; do
        [[ $parent == "$root" ]] && xwininfo -id "$w" | grep -q 'Override Redirect State: yes' || continue
        xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q TOOLTIP && continue
        echo "$w" && return 0
    done < <(viewable_windows_of "$1")
    return 1
}

# Prints a window's absolute left, top, width and height.
geometry_of() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}

center_of() {
    local x y w h
    read -r x y w h < <(geometry_of "$1")
    echo $((x + w / 2)) $((y + h / 2))
}

# Whether a child process has ended (gone, or a zombie not yet waited for).
has_ended() {
    [[ ! -r /proc/$1/stat || $(sed 's/.*) //' "/proc/$1/stat") == [ZX]* ]]
}

# Waits at most $2 s for child $1 to end and sets EXIT_CODE to its exit code.
wait_for_exit() {
    local pid=$1 limit=$2
    wait_until "$limit" has_ended "$pid" || fail "process $pid did not end"
    EXIT_CODE=0
    wait "$pid" || EXIT_CODE=$?
}
