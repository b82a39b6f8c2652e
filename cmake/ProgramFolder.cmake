# Fills the program folder with the files the program looks up beside itself,
# and installs the same self-contained folder.

find_program(GENISOIMAGE_EXECUTABLE genisoimage REQUIRED)
file(MAKE_DIRECTORY "${ISOMINT_PROGRAM_DIR}")

# mkisofs: Debian's genisoimage is its mkisofs.
file(CREATE_LINK "${GENISOIMAGE_EXECUTABLE}" "${ISOMINT_PROGRAM_DIR}/mkisofs" SYMBOLIC)

configure_file("${CMAKE_SOURCE_DIR}/LICENSE" "${ISOMINT_PROGRAM_DIR}/license.txt" COPYONLY)

# mod.ver lists the external modules really in use, read off them at configure time.
execute_process(COMMAND "${GENISOIMAGE_EXECUTABLE}" --version
                OUTPUT_VARIABLE ISOMINT_GENISOIMAGE_VERSION
                ERROR_VARIABLE ISOMINT_GENISOIMAGE_VERSION_ERR
                OUTPUT_STRIP_TRAILING_WHITESPACE)
if(ISOMINT_GENISOIMAGE_VERSION STREQUAL "")
    string(STRIP "${ISOMINT_GENISOIMAGE_VERSION_ERR}" ISOMINT_GENISOIMAGE_VERSION)
endif()
file(CONFIGURE OUTPUT "${ISOMINT_PROGRAM_DIR}/mod.ver.tmp"
     CONTENT "${ISOMINT_GENISOIMAGE_VERSION} as mkisofs\nQt ${Qt6_VERSION}\n")
file(RENAME "${ISOMINT_PROGRAM_DIR}/mod.ver.tmp" "${ISOMINT_PROGRAM_DIR}/mod.ver")

install(FILES "${ISOMINT_PROGRAM_DIR}/license.txt" "${ISOMINT_PROGRAM_DIR}/mod.ver"
        DESTINATION .)
install(CODE "file(CREATE_LINK \"${GENISOIMAGE_EXECUTABLE}\"
                   \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/mkisofs\" SYMBOLIC)")

# The help page the "&Help" command opens.
configure_file("${CMAKE_SOURCE_DIR}/res/stencil_hlp.html" "${ISOMINT_PROGRAM_DIR}/stencil_hlp.html"
               COPYONLY)
install(FILES "${ISOMINT_PROGRAM_DIR}/stencil_hlp.html" DESTINATION .)
