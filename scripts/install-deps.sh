#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Brookhum needs.
# Idempotent: when everything is present it installs nothing and asks for no password.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config make
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins
  libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev libfluidsynth-dev libebur128-dev
  libgtest-dev libgmock-dev libxcb1-dev
  # the sanitizer build of the tests (g++ brings them; named so that it stays so)
  libasan8 libubsan1
  # playback: wav and mp3 decoders, MIDI parser and fluidsynth, a General MIDI soundfont
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad
  gstreamer1.0-tools timgm6mb-soundfont
  # a sound server the tests start themselves: PulseAudio with null sinks
  pulseaudio pulseaudio-utils
  # Japanese captions; the icon theme the tray icon is looked up in
  fonts-noto-cjk hicolor-icon-theme
  # headless desktop for the end-to-end tests: X server, tray host, window manager, D-Bus
  xvfb trayer openbox xdotool x11-utils x11-apps dbus dbus-x11 playerctl
  # the Debian package: shared-library dependencies, and the checks of the package, its menu entry and metainfo
  dpkg-dev file desktop-file-utils appstream lintian
  # benchmarks
  time
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}" >&2
if [ "$(id -u)" -eq 0 ]; then
  sudo=()
else
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
if ! "${sudo[@]}" apt-get update -qq; then
  echo "apt-get update failed; installing from the package lists already on this machine" >&2
fi
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
