# Two ways to install, one build:
#   cmake --install build --prefix /usr
#       a desktop program in the GNU layout: bin/, share/applications/,
#       share/icons/hicolor/, share/mime/packages/, share/metainfo/,
#       share/doc/vestrel/, share/man/man1/; its classes live in the user's
#       documents folder;
#   cmake --install build --prefix DIR --component Portable
#       the portable copy of ./scripts/run.sh: everything in DIR, classes too.
# Each folder's CMakeLists holds its own install rules; this file the shared
# settings and the Debian package (./scripts/package.sh).

include(GNUInstallDirs)
# The package's name, in lower case, unless chosen on the command line.
if("$CACHE{CMAKE_INSTALL_DOCDIR}" STREQUAL "")
  set(CMAKE_INSTALL_DOCDIR "${CMAKE_INSTALL_DATAROOTDIR}/doc/vestrel")
  set(CMAKE_INSTALL_FULL_DOCDIR "${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DOCDIR}")
endif()

set(VESTREL_ID "org.example.vestrel")

# The program finds its installed guide, and tells an installed copy from a
# portable one, from paths relative to its own folder.
file(RELATIVE_PATH VESTREL_BIN_VERS_DOC ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DOCDIR})
file(RELATIVE_PATH VESTREL_BIN_VERS_APPLICATIONS ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/applications)

# The Debian package.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "vestrel")
set(CPACK_PACKAGE_VENDOR "Vestrel")
set(CPACK_PACKAGE_CONTACT "Vestrel <vestrel@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "carnet de notes du professeur (notes, moyennes, appréciations)")
set(CPACK_PACKAGE_DESCRIPTION "Vestrel keeps the marks and appreciations of a teacher's classes, computes \
weighted averages, class figures and a ranking, prints reports with a \
preview and exports the grid as text. The interface is in French.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://vestrel.example.org/")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "education")
# Dependencies from the libraries actually linked, plus what Qt loads at run
# time: the screen plugins; Qt's own dialogs in French and the desktop's
# opener are welcome.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils, shared-mime-info, desktop-file-utils")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_OUTPUT_FILE_PREFIX "${CMAKE_BINARY_DIR}/paquets")
include(CPack)
