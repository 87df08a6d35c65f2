# What `cmake --install` (and `make install`, and the package) put where:
#   bin/rp770, bin/rp770-cli
#   share/rp770/           global.ini, the definition files, the logo, the help text
#   share/applications/    rp770.desktop
#   share/icons/hicolor/   the icon: scalable SVG, 48x48 and 256x256 PNG
#   share/metainfo/        the AppStream description
#   share/man/man1/        rp770.1 and rp770-cli.1 (written from --help)
# An installed program finds its data in ../share/rp770 from bin/.
include(GNUInstallDirs)

# The AppStream identity of the program; set them to the project's own.
set(RP770_APP_ID "org.example.rp770" CACHE STRING "AppStream component id (reverse DNS)")
set(RP770_HOMEPAGE "https://rp770.example.org/" CACHE STRING "The project's home page")
set(RP770_SCREENSHOT_URL "https://rp770.example.org/images/main-window.png" CACHE STRING
    "Where software centres fetch the screenshot (docs/images/main-window.png)")
set(RP770_LICENSE "LicenseRef-proprietary" CACHE STRING "SPDX licence of the program")

install(TARGETS rp770 rp770-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(RP770_DATA_SOURCES global.ini USA_013E.ini INT_013E.ini CAN_013E.ini "QJ Logo.gif" rp770-help.html)
list(TRANSFORM RP770_DATA_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/data/)
install(FILES ${RP770_DATA_SOURCES} DESTINATION ${CMAKE_INSTALL_DATADIR}/rp770)

install(FILES ${PROJECT_SOURCE_DIR}/data/rp770.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/rp770.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 48 256)
  install(FILES ${PROJECT_SOURCE_DIR}/data/icons/rp770-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME rp770.png)
endforeach()

configure_file(${PROJECT_SOURCE_DIR}/data/rp770.metainfo.xml.in ${CMAKE_BINARY_DIR}/${RP770_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${RP770_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

install(FILES ${CMAKE_BINARY_DIR}/man/rp770.1 ${CMAKE_BINARY_DIR}/man/rp770-cli.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
