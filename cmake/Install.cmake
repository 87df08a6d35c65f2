# What `cmake --install` (and `make install`, and the package) put where:
#   bin/rp770, bin/rp770-cli
#   share/rp770/           global.ini, the definition files, the logo, the help text,
#                          translations/: the window's catalogues (rp770_LANGUAGE.qm)
#   share/applications/    rp770.desktop
#   share/icons/hicolor/   the icon: scalable SVG, 48x48 and 256x256 PNG
#   share/metainfo/        the AppStream description
#   share/mime/packages/   rp770.xml: the file types of .dat and .hex files
#   share/man/man1/        rp770.1 and rp770-cli.1 (written from --help; gzipped where gzip is)
#   share/bash-completion/completions/
#                          rp770-cli: completion of its commands, options, ports and files
#   share/doc/rp770/       copyright (machine-readable) and changelog.gz
#   lib/udev/rules.d/      60-rp770-cables.rules: FTDI adapters at a 1 ms latency timer, and the
#                          logged-in user's access to the usual programming-cable adapters
# An installed program finds its data in ../share/rp770 from bin/.
include(GNUInstallDirs)

# The identity of the program; set them to the project's own. A home page
# and a screenshot address are named only when there are such (the package,
# the AppStream description).
set(RP770_APP_ID "org.example.rp770" CACHE STRING "AppStream component id (reverse DNS)")
set(RP770_HOMEPAGE_URL "" CACHE STRING "The project's home page (none: left out)")
set(RP770_SCREENSHOT_IMAGE_URL "" CACHE STRING
    "Where software centres fetch the screenshot (docs/images/main-window.png); none: left out")
set(RP770_LICENSE "LicenseRef-proprietary" CACHE STRING "SPDX licence of the program")
set(RP770_LICENSE_TEXT "All rights reserved." CACHE STRING "The licence's text, for the copyright file")
set(RP770_COPYRIGHT "2026 RP770 maintainers" CACHE STRING "The copyright line")
set(RP770_MAINTAINER "RP770 maintainers <rp770@example.org>" CACHE STRING "The maintainer, name <mail>")
# The release this version is: the AppStream release and the changelog's entry.
set(RP770_RELEASE_DATE 2026-12-08)
set(RP770_RELEASE_DATE_RFC2822 "Tue, 08 Dec 2026 12:00:00 +0000")

install(TARGETS rp770 rp770-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(RP770_DATA_SOURCES global.ini USA_013E.ini INT_013E.ini CAN_013E.ini "QJ Logo.gif" rp770-help.html)
list(TRANSFORM RP770_DATA_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/data/)
install(FILES ${RP770_DATA_SOURCES} DESTINATION ${CMAKE_INSTALL_DATADIR}/rp770)
# The window's languages; not the pseudo-language of the layout checks.
set(RP770_WINDOW_CATALOGUES ${RP770_LANGUAGES})
list(TRANSFORM RP770_WINDOW_CATALOGUES REPLACE "(.+)" "${RP770_BIN_DIR}/translations/rp770_\\1.qm")
install(FILES ${RP770_WINDOW_CATALOGUES} DESTINATION ${CMAKE_INSTALL_DATADIR}/rp770/translations)

install(FILES ${PROJECT_SOURCE_DIR}/data/rp770.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/rp770.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 48 256)
  install(FILES ${PROJECT_SOURCE_DIR}/data/icons/rp770-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME rp770.png)
endforeach()

set(RP770_METAINFO_URL "")
if(RP770_HOMEPAGE_URL)
  set(RP770_METAINFO_URL "\n  <url type=\"homepage\">${RP770_HOMEPAGE_URL}</url>")
endif()
set(RP770_METAINFO_SCREENSHOTS "")
if(RP770_SCREENSHOT_IMAGE_URL)
  set(RP770_METAINFO_SCREENSHOTS "\n  <screenshots>
    <screenshot type=\"default\">
      <caption>The main window with a channel list</caption>
      <image>${RP770_SCREENSHOT_IMAGE_URL}</image>
    </screenshot>
  </screenshots>")
endif()
configure_file(${PROJECT_SOURCE_DIR}/data/rp770.metainfo.xml.in ${CMAKE_BINARY_DIR}/${RP770_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${RP770_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/data/rp770.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME rp770.xml)
# Under the prefix (/usr/lib/udev/rules.d in the package), where udev reads rules.
install(FILES ${PROJECT_SOURCE_DIR}/data/udev/60-rp770-cables.rules DESTINATION lib/udev/rules.d)
install(FILES ${PROJECT_SOURCE_DIR}/data/completion/rp770-cli.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME rp770-cli)

set(RP770_MAN_PAGES ${CMAKE_BINARY_DIR}/man/rp770.1 ${CMAKE_BINARY_DIR}/man/rp770-cli.1)
if(RP770_GZIP)
  list(TRANSFORM RP770_MAN_PAGES APPEND .gz)
endif()
install(FILES ${RP770_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The package's own documents, under the package's name (not the project's).
set(RP770_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/rp770)
configure_file(${PROJECT_SOURCE_DIR}/data/copyright.in ${CMAKE_BINARY_DIR}/doc/copyright @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/data/changelog.in ${CMAKE_BINARY_DIR}/doc/changelog @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/doc/copyright DESTINATION ${RP770_DOC_DIR})
if(RP770_GZIP)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/doc/changelog.gz
    COMMAND ${RP770_GZIP} -9 -n -k -f ${CMAKE_BINARY_DIR}/doc/changelog
    DEPENDS ${CMAKE_BINARY_DIR}/doc/changelog ${PROJECT_SOURCE_DIR}/data/changelog.in
    VERBATIM)
  add_custom_target(changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/doc/changelog.gz)
  install(FILES ${CMAKE_BINARY_DIR}/doc/changelog.gz DESTINATION ${RP770_DOC_DIR})
else()
  install(FILES ${CMAKE_BINARY_DIR}/doc/changelog DESTINATION ${RP770_DOC_DIR})
endif()
