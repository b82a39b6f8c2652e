# The Debian package (cpack -G DEB, see scripts/package): the same files as
# `cmake --install` under the prefix /usr, on Debian's own genisoimage, Qt 6
# and libdvdread.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME isomint-stencil)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "Isomint Stencil developers <stencil@isomint.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "build ISO images with DVD-Video layout from VIDEO_TS folders")
set(CPACK_PACKAGE_DESCRIPTION
    "Isomint Stencil turns a DVD-Video folder (one that holds VIDEO_TS) into an\n\
ISO 9660 image with DVD-Video layout, running genisoimage as mkisofs. It\n\
checks and repairs the folder first, reads the image back with libdvdread,\n\
can split it into 1 GB chunks, and records it with xorriso or with a\n\
Windows recorder through Wine. isomint-cli does the same without a window.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://isomint.example.org/")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The shared libraries are read off the executables; what they run or load at
# run time (genisoimage, the platform plugin) is named by hand.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "genisoimage, qt6-qpa-plugins")
# Qt's own texts for the standard buttons and the file dialog in the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xorriso, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS wine)
include(CPack)
