# `cpack -G DEB` in the build folder (or `make package`): rp770_<version>_<arch>.deb,
# installing under /usr, its dependencies worked out from the libraries the
# programs actually link (dpkg-shlibdeps). What it holds is what
# Install.cmake installs, the copyright file and changelog.gz included; the
# programs are built with the distribution's hardening flags (Hardening.cmake).
set(CPACK_PACKAGE_NAME rp770)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VENDOR "RP770")
set(CPACK_PACKAGE_CONTACT "${RP770_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # rp770_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(RP770_HOMEPAGE_URL)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${RP770_HOMEPAGE_URL}")
endif()
# The summary above is the first line of the description; these lines follow
# it (at most 80 columns each, as Debian's tools show them).
string(JOIN "\n" CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "RP770 reads the memory of the MR318 hand-held marine VHF radio over its"
  "programming cable, edits its channels (USA, International and Canada"
  "plans, weather channels and twenty channels of your own), channel groups,"
  "scan settings and ATIS code, keeps them in settings (.dat) and memory"
  "image (.hex) files, prints them and programs the radio back."
  "."
  "The package holds the window, rp770, and a command-line tool, rp770-cli,"
  "for conversions, reports, comparisons and transfers without a display,"
  "and a simulated radio to try everything without one on the cable.")
# The Qt platform plugins are not linked, only loaded: name them. Qt's own
# dialogs speak the window's language with Debian's translations of Qt.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
include(CPack)
