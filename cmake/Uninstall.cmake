# cmake -DMANIFEST=<install_manifest.txt> -P Uninstall.cmake
# Removes every file and link the install listed, under the same DESTDIR as
# the install, then the program's own folders once they are empty. Shared
# folders such as share/applications stay.
if(NOT EXISTS "${MANIFEST}")
    message(FATAL_ERROR "Nothing to uninstall: ${MANIFEST} does not exist (run the install first)")
endif()
file(STRINGS "${MANIFEST}" installed)
set(folders "")
foreach(listed IN LISTS installed)
    set(path "$ENV{DESTDIR}${listed}")
    if(EXISTS "${path}" OR IS_SYMLINK "${path}")
        message(STATUS "Removing ${path}")
        file(REMOVE "${path}")
    endif()
    get_filename_component(folder "${path}" DIRECTORY)
    if(folder MATCHES "/isomint-stencil(/translations)?$")
        list(APPEND folders "${folder}")
    endif()
endforeach()
list(REMOVE_DUPLICATES folders)
# Descending, so that translations/ is emptied and removed before its parent.
list(SORT folders ORDER DESCENDING)
foreach(folder IN LISTS folders)
    file(GLOB left "${folder}/*")
    if(left STREQUAL "")
        file(REMOVE_RECURSE "${folder}")
    endif()
endforeach()
