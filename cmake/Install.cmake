# What `cmake --install` lays out: the program, its menu entry, its icons and
# metainfo under the names of the application id, and the six toggle pictures
# users may replace. Nothing of the tests is installed.
include(GNUInstallDirs)

set(BROOKHUM_APP_ID com.tarnwick.Brookhum)

install(TARGETS brookhum RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The program looks for its plug-in in this directory beside its bin directory.
install(TARGETS gstbrookhumsynth LIBRARY DESTINATION ${BROOKHUM_PLUGIN_DIR})

install(FILES ${PROJECT_SOURCE_DIR}/data/${BROOKHUM_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/${BROOKHUM_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/icons/
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons
  FILES_MATCHING PATTERN "${BROOKHUM_APP_ID}.png" PATTERN "${BROOKHUM_APP_ID}.svg")

# The program looks for these beside itself first, then here.
file(GLOB brookhum_installed_pictures CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/src/resources/pictures/*.bmp)
install(FILES ${brookhum_installed_pictures} DESTINATION ${CMAKE_INSTALL_DATADIR}/brookhum)
