# `cpack -G DEB` in the build folder (or `make package`): rp770_<version>_<arch>.deb,
# installing under /usr, its dependencies worked out from the libraries the
# programs actually link (dpkg-shlibdeps).
set(CPACK_PACKAGE_NAME rp770)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VENDOR "RP770")
set(CPACK_PACKAGE_CONTACT "RP770 maintainers <rp770@example.org>" CACHE STRING "The package's maintainer")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # rp770_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The summary above is the first line of the description; this follows it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Reads the radio's memory over the programming cable, edits its channels, channel groups, scan settings and ATIS code, keeps them in files, prints them and programs the radio back. With a command-line tool, rp770-cli.")
# The Qt platform plugins are not linked, only loaded: name them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_STRIP_FILES ON)
include(CPack)
