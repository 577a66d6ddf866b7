# A Debian package of what Install.cmake lays out, built by `cpack -G DEB` or
# the `package` target as brookhum_<version>_<architecture>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brookhum)
set(CPACK_PACKAGE_VENDOR Tarnwick)
set(CPACK_PACKAGE_CONTACT "Tarnwick <brookhum@tarnwick.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "background music player in the system tray")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tarnwick <brookhum@tarnwick.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The summary above is the description's first line; this is the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [[Brookhum plays MIDI, WAV and MP3 files one after another from up to ten
folders or ten single files, with file and folder repetition and random
order. It has no main window: it is run from its system tray icon, with a
small select-play bar to start any file at once.]])

# The libraries it links come from dpkg-shlibdeps. GStreamer loads the
# decoders as plug-ins and fluidsynth needs a General MIDI soundfont, which
# no linked library names, so those are listed here; so are the Japanese
# font of the user interface, Qt's X11 platform plug-in, and the hicolor
# theme's index, without which Qt finds no icon installed in that theme.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, gstreamer1.0-plugins-bad, timgm6mb-soundfont | fluid-soundfont-gm, fonts-noto-cjk, qt6-qpa-plugins, hicolor-icon-theme")
# Qt opens the help page in the web browser through xdg-open on desktops it
# does not know by name.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")

include(CPack)
