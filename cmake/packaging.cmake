# The Debian package, made by CPack from the install rules:
#   cmake --build build --target package
# leaves build/varnel_<version>_<arch>.deb.

set(CPACK_GENERATOR DEB)
set(CPACK_SOURCE_GENERATOR "")
set(CPACK_PACKAGE_NAME varnel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Varnel developers")
set(CPACK_PACKAGE_CONTACT "Varnel developers <developers@varnel.example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
# Debian ships no debugging symbols in the package itself.
set(CPACK_STRIP_FILES ON)
# The tree is as the install rules make it, whatever the packager's umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Varnel developers <developers@varnel.example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "compare two text files line by line in a window")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[Varnel File Compare shows what changed between two versions of a text
file. Name the document before the changes and the document with changes,
press Compare, and the report opens in the desktop's text viewer, listing
each block of lines that differs.

Options let the comparison disregard the case of letters or runs of blanks,
number the lines, abbreviate long blocks, or compare byte for byte. The
comparison itself is done by a small line-oriented comparer, fc, that comes
with the program; every report is kept in the temporary folder.]=])

# The libraries come from dpkg-shlibdeps, but for ICU, which the comparer loads
# only when it needs it; the rest is what the window starts or lays itself out
# with. Without a Qt platform plugin the window cannot open at all, so that is
# not left to libqt6gui6's recommendation. Qt's own translations name the
# boxes' buttons in the language the window speaks.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "${VARNEL_ICU_PACKAGE}, qt6-qpa-plugins, qt6-translations-l10n, xdg-utils, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
