# The launcher, menu entry and icon around the self-contained program folder.
# The program folder is the install prefix; the menu entry and icon go to the
# desktop's standard share folders so that menus find them.

set(ISOMINT_SHARE_DIR "/usr/local/share" CACHE PATH "Where the menu entry and icon are installed")
set(ISOMINT_LAUNCHER "${CMAKE_INSTALL_PREFIX}/bin/isomint")

# A link, not a copy: the program finds its folder through the resolved executable.
install(CODE "file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
              file(CREATE_LINK \"../isomint\"
                   \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/isomint\" SYMBOLIC)
              file(CREATE_LINK \"../isomint-cli\"
                   \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/isomint-cli\" SYMBOLIC)")

configure_file("${CMAKE_SOURCE_DIR}/res/desktop/isomint-stencil.desktop.in"
               "${CMAKE_BINARY_DIR}/isomint-stencil.desktop" @ONLY)
install(FILES "${CMAKE_BINARY_DIR}/isomint-stencil.desktop"
        DESTINATION "${ISOMINT_SHARE_DIR}/applications")
install(FILES "${CMAKE_SOURCE_DIR}/res/icons/icon129.png"
        DESTINATION "${ISOMINT_SHARE_DIR}/icons/hicolor/32x32/apps"
        RENAME "isomint-stencil.png")
