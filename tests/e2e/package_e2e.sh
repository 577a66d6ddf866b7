#!/usr/bin/env bash
# The Debian package as a user gets it: built by cpack, unpacked into a
# private root (never installed on the system), holding exactly the expected
# files, clean by lintian, with the project's version in its changelog and
# metainfo, a valid desktop entry and metainfo and the run-time packages in
# its dependencies; the unpacked program embeds in the tray, opens its menu
# and ends with exit code 0 on "閉じる(&E)".
#
# Usage: package_e2e.sh <build directory>

build=$(cd "$1" && pwd)
source "$(dirname "$0")/desktop.sh"
app=com.tarnwick.Brookhum

version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
deb=$E2E_TMP/package/brookhum_${version}_$(dpkg --print-architecture).deb
timeout 240 cpack -G DEB --config "$build/CPackConfig.cmake" -B "$E2E_TMP/package" \
    >"$E2E_TMP/cpack.log" 2>&1 || fail "cpack failed: $(tail -20 "$E2E_TMP/cpack.log")"
[[ -f $deb ]] || fail "cpack made no $(basename "$deb"): $(ls "$E2E_TMP/package")"

root=$E2E_TMP/root
dpkg -x "$deb" "$root"
expected=(usr/bin/brookhum "usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/brookhum/libgstbrookhumsynth.so" "usr/share/applications/$app.desktop" "usr/share/metainfo/$app.metainfo.xml"
    "usr/share/icons/hicolor/scalable/apps/$app.svg" usr/share/doc/brookhum/copyright usr/share/doc/brookhum/changelog.gz
    usr/share/man/man1/brookhum.1.gz usr/share/brookhum/help/index.html usr/share/brookhum/help/tray-menu.png
    usr/share/brookhum/help/bars.png)
for picture in Repeat No_Repeat DirRepeat No_DirRepeat Temporary_stop No_Temporary_stop; do
    expected+=("usr/share/brookhum/$picture.bmp")
done
for edge in 16 22 24 32 48 64 128 256; do
    icon=usr/share/icons/hicolor/${edge}x$edge/apps/$app.png
    expected+=("$icon")
    file "$root/$icon" | grep -q "PNG image data, $edge x $edge," || fail "/$icon is no $edge-pixel PNG"
done
for f in "${expected[@]}"; do
    [[ -s $root/$f ]] || fail "the package lacks /$f"
done
# Anything more, a test program for one, has no place in the package.
extra=$(find "$root" -type f -printf '%P\n' | grep -vxF -f <(printf '%s\n' "${expected[@]}") || true)
[[ -z $extra ]] || fail "the package holds unexpected files: $extra"

# Debian's own checks at their default profile, as root in CI: not one error or warning.
lintian --allow-root --fail-on error,warning "$deb" >"$E2E_TMP/lintian.log" 2>&1 ||
    fail "lintian finds fault with the package: $(cat "$E2E_TMP/lintian.log")"
# The version is written once, in the project; the changelog's latest entry
# is written by hand and must have followed it.
zcat "$root/usr/share/doc/brookhum/changelog.gz" >"$E2E_TMP/changelog"
for carried in "$(dpkg-parsechangelog -l "$E2E_TMP/changelog" -S Version)" \
    "$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$root/usr/share/metainfo/$app.metainfo.xml" | head -1)"; do
    [[ $carried == "$version" ]] || fail "the package is version $version, but its changelog or metainfo says $carried"
done
desktop-file-validate "$root/usr/share/applications/$app.desktop" || fail "the desktop entry is not valid"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app.metainfo.xml" >"$E2E_TMP/appstream.log" 2>&1 ||
    fail "the metainfo is not valid: $(cat "$E2E_TMP/appstream.log")"
depends=$(dpkg-deb -f "$deb" Depends)
for package in gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad \
    "timgm6mb-soundfont | fluid-soundfont-gm" libqt6widgets6 libfluidsynth3; do
    [[ $depends == *"$package"* ]] || fail "Depends lacks $package: $depends"
done

start_desktop
export DBUS_SESSION_BUS_ADDRESS=disabled: BROOKHUM_AUDIO_SINK=fakesink
export XDG_DATA_HOME=$E2E_TMP/data XDG_CACHE_HOME=$E2E_TMP/cache XDG_DATA_DIRS=$root/usr/share:/usr/share
"$root/usr/bin/brookhum" >"$E2E_TMP/program.log" 2>&1 &
program=$!
E2E_PIDS+=("$program")
wait_until 20 tray_icon_of brookhum >/dev/null || fail "the tray icon did not embed: $(cat "$E2E_TMP/program.log")"
wait_until 10 shows_a_picture "$(tray_icon_of brookhum)" || fail "the tray icon shows no picture"
read -r x y < <(center_of "$(tray_icon_of brookhum)")
xdotool mousemove "$x" "$y" mousedown 3
wait_until 10 open_menu_of brookhum >/dev/null || fail "the right-button press opened no menu"
xdotool mouseup 3 key e
wait_for_exit "$program" 20
[[ $EXIT_CODE == 0 ]] || fail "closing from the menu gave exit code $EXIT_CODE: $(cat "$E2E_TMP/program.log")"

echo "PASS"
