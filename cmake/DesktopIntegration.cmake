# What makes the installed program a desktop citizen: the commands in
# <prefix>/bin, the menu entry, the icons, the AppStream metainfo, the manual
# pages, and an uninstall target.

set(ISOMINT_LAUNCHER "${CMAKE_INSTALL_FULL_BINDIR}/isomint")
set(ISOMINT_DESKTOP_DIR "${CMAKE_SOURCE_DIR}/res/desktop")

# Links, not copies: the program finds its folder through the resolved executable.
foreach(command isomint isomint-cli)
    isomint_install_link("${CMAKE_INSTALL_BINDIR}/${command}"
                         "${ISOMINT_INSTALL_PROGRAM_DIR}/${command}")
endforeach()

# The build tree's entry starts the configured prefix; the installed one is
# written at install time, so that `cmake --install --prefix` is followed too.
configure_file("${ISOMINT_DESKTOP_DIR}/isomint-stencil.desktop.in"
               "${CMAKE_BINARY_DIR}/isomint-stencil.desktop" @ONLY)
install(CODE "
    set(ISOMINT_LAUNCHER \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/isomint\")
    configure_file(\"${ISOMINT_DESKTOP_DIR}/isomint-stencil.desktop.in\"
                   \"${CMAKE_BINARY_DIR}/installed/isomint-stencil.desktop\" @ONLY)
    file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\"
         TYPE FILE FILES \"${CMAKE_BINARY_DIR}/installed/isomint-stencil.desktop\")")

configure_file("${ISOMINT_DESKTOP_DIR}/org.example.isomint.Stencil.metainfo.xml.in"
               "${CMAKE_BINARY_DIR}/org.example.isomint.Stencil.metainfo.xml" @ONLY)
install(FILES "${CMAKE_BINARY_DIR}/org.example.isomint.Stencil.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")

foreach(size 16 22 24 32 48 64 128 256)
    install(FILES "${ISOMINT_DESKTOP_DIR}/icons/${size}.png"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps"
            RENAME "isomint-stencil.png")
endforeach()
install(FILES "${ISOMINT_DESKTOP_DIR}/isomint-stencil.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")

# Manual pages and the package's documentation, compressed as Debian expects
# (man reads them either way); -n keeps the archives reproducible.
find_program(GZIP_EXECUTABLE gzip REQUIRED)
set(ISOMINT_DOC_DIR "${CMAKE_INSTALL_DATADIR}/doc/isomint-stencil")
set(compressed "")
foreach(page isomint isomint-cli)
    # The pages' heading names the release (cmake/Release.cmake).
    configure_file("${CMAKE_SOURCE_DIR}/res/man/${page}.1" "${CMAKE_BINARY_DIR}/man/${page}.1" @ONLY)
    set(output "${CMAKE_BINARY_DIR}/man/${page}.1.gz")
    add_custom_command(OUTPUT "${output}"
        COMMAND "${GZIP_EXECUTABLE}" -9nc "${CMAKE_BINARY_DIR}/man/${page}.1" > "${output}"
        DEPENDS "${CMAKE_BINARY_DIR}/man/${page}.1" VERBATIM)
    list(APPEND compressed "${output}")
    install(FILES "${output}" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
endforeach()
# The Debian package's changelog and copyright are the program's own, so an
# install from source carries the same two files.
set(changelog "${CMAKE_BINARY_DIR}/doc/changelog.gz")
add_custom_command(OUTPUT "${changelog}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${CMAKE_BINARY_DIR}/doc"
    COMMAND "${GZIP_EXECUTABLE}" -9nc "${CMAKE_SOURCE_DIR}/debian/changelog" > "${changelog}"
    DEPENDS "${CMAKE_SOURCE_DIR}/debian/changelog" VERBATIM)
add_custom_target(isomint_compressed_docs ALL DEPENDS ${compressed} "${changelog}")
install(FILES "${changelog}" "${CMAKE_SOURCE_DIR}/debian/copyright"
        DESTINATION "${ISOMINT_DOC_DIR}")

# Removes what the last install wrote, as listed in install_manifest.txt.
add_custom_target(uninstall
    COMMAND "${CMAKE_COMMAND}" -DMANIFEST=${CMAKE_BINARY_DIR}/install_manifest.txt
            -P "${CMAKE_SOURCE_DIR}/cmake/Uninstall.cmake"
    VERBATIM)
