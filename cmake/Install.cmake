# What `cmake --install` lays out: the program, its menu entry, its icons and
# metainfo under the names of the application id, the six toggle pictures
# users may replace, the help page, and the copyright, changelog and manual
# page. Nothing of the tests is installed.
include(GNUInstallDirs)

set(BROOKHUM_APP_ID com.tarnwick.Brookhum)

install(TARGETS brookhum RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The program looks for its plug-in in this directory beside its bin directory.
install(TARGETS gstbrookhumsynth LIBRARY DESTINATION ${BROOKHUM_PLUGIN_DIR})

install(FILES ${PROJECT_SOURCE_DIR}/data/${BROOKHUM_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The metainfo's release is the project's version.
configure_file(${PROJECT_SOURCE_DIR}/data/${BROOKHUM_APP_ID}.metainfo.xml.in
  ${PROJECT_BINARY_DIR}/data/${BROOKHUM_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/data/${BROOKHUM_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/icons/
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons
  FILES_MATCHING PATTERN "${BROOKHUM_APP_ID}.png" PATTERN "${BROOKHUM_APP_ID}.svg")

# The program looks for these in the user's data directory and beside
# itself first, then here.
file(GLOB brookhum_installed_pictures CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/src/resources/pictures/*.bmp)
install(FILES ${brookhum_installed_pictures} DESTINATION ${CMAKE_INSTALL_DATADIR}/brookhum)
# The help page, as the build tree lays it out (src/setup/CMakeLists.txt);
# the program finds it here from its bin directory.
install(DIRECTORY ${PROJECT_BINARY_DIR}/share/brookhum/help DESTINATION ${CMAKE_INSTALL_DATADIR}/brookhum)

# What Debian asks of every package: the copyright file, the changelog and a
# manual page, the last two compressed as gzip -9n does (no name and no time
# stamp, so every build gives the same bytes).
configure_file(${PROJECT_SOURCE_DIR}/data/brookhum.1.in ${PROJECT_BINARY_DIR}/data/brookhum.1 @ONLY)
set(brookhum_compressed_docs)
foreach(source IN ITEMS ${PROJECT_BINARY_DIR}/data/brookhum.1 ${PROJECT_SOURCE_DIR}/data/debian/changelog)
  get_filename_component(name ${source} NAME)
  set(compressed ${PROJECT_BINARY_DIR}/data/${name}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND gzip -9n --stdout ${source} > ${compressed}
    DEPENDS ${source}
    VERBATIM)
  list(APPEND brookhum_compressed_docs ${compressed})
endforeach()
add_custom_target(brookhum_compressed_docs ALL DEPENDS ${brookhum_compressed_docs})
install(FILES ${PROJECT_BINARY_DIR}/data/brookhum.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright ${PROJECT_BINARY_DIR}/data/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/brookhum)
