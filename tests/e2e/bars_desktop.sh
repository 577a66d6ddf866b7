#!/usr/bin/env bash
# Runs the bars' desktop test on a private X desktop with openbox, a
# reparenting window manager, so window positions and focus go through one.
#
# Usage: bars_desktop.sh <path to bar_desktop_test>

test_binary=$1
source "$(dirname "$0")/desktop.sh"
start_desktop --window-manager
export QT_QPA_PLATFORM=xcb DBUS_SESSION_BUS_ADDRESS=disabled:
# Ends before ctest's own limit, so the desktop is always taken down.
timeout 100 "$test_binary"
