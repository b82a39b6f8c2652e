# Fills the program folder with the files the program looks up beside itself.
# An install splits it: the executables and the mkisofs link go to
# <prefix>/lib/isomint-stencil, the architecture-independent data to
# <prefix>/share/isomint-stencil, where the installed program looks for it.

include(GNUInstallDirs)
# Not CMAKE_INSTALL_LIBDIR nor CMAKE_INSTALL_DATADIR: the program recognises
# its installed copy by these two folders below the prefix (see
# src/platform/installedlayout.h), so they are fixed.
set(ISOMINT_INSTALL_PROGRAM_DIR "lib/isomint-stencil")
set(ISOMINT_INSTALL_DATA_DIR "share/isomint-stencil")

find_program(GENISOIMAGE_EXECUTABLE genisoimage PATHS /usr/bin NO_DEFAULT_PATH)
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

# The help pages the "&Help" command opens (English, and one for each catalogue's
# language) and the style they share.
set(ISOMINT_HELP_PAGES stencil_hlp.html stencil_hlp_de.html stencil_hlp.css)
foreach(page IN LISTS ISOMINT_HELP_PAGES)
    configure_file("${CMAKE_SOURCE_DIR}/res/${page}" "${ISOMINT_PROGRAM_DIR}/${page}" COPYONLY)
    list(APPEND ISOMINT_HELP_FILES "${ISOMINT_PROGRAM_DIR}/${page}")
endforeach()

install(FILES "${ISOMINT_PROGRAM_DIR}/license.txt" "${ISOMINT_PROGRAM_DIR}/mod.ver"
              ${ISOMINT_HELP_FILES}
        DESTINATION "${ISOMINT_INSTALL_DATA_DIR}")

# isomint_install_link(<link> <target>): a symbolic link made at install time,
# relative when both lie under the prefix so that the tree can be moved (and
# packaged), and listed in the install manifest so that uninstall removes it.
function(isomint_install_link link target)
    install(CODE "
        set(link \"\${CMAKE_INSTALL_PREFIX}/${link}\")
        set(target \"${target}\")
        if(NOT IS_ABSOLUTE \"\${target}\")
            set(target \"\${CMAKE_INSTALL_PREFIX}/\${target}\")
        endif()
        get_filename_component(folder \"\${link}\" DIRECTORY)
        string(FIND \"\${target}\" \"\${CMAKE_INSTALL_PREFIX}/\" under)
        if(under EQUAL 0)
            file(RELATIVE_PATH target \"\${folder}\" \"\${target}\")
        endif()
        message(STATUS \"Installing link: \$ENV{DESTDIR}\${link} -> \${target}\")
        file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${folder}\")
        file(CREATE_LINK \"\${target}\" \"\$ENV{DESTDIR}\${link}\" SYMBOLIC)
        list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${link}\")")
endfunction()

isomint_install_link("${ISOMINT_INSTALL_PROGRAM_DIR}/mkisofs" "${GENISOIMAGE_EXECUTABLE}")
