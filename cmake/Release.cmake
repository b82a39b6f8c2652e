# The release comes from one place, the newest entry of debian/changelog: its
# version is the project's, its date the manual pages' and the AppStream
# release's, and its items the release's description. dpkg-buildpackage takes
# SOURCE_DATE_EPOCH from the same line, so the package agrees with all of them.
# Sets ISOMINT_RELEASE_VERSION, ISOMINT_RELEASE_DATE (YYYY-MM-DD) and
# ISOMINT_RELEASE_NOTES (an AppStream <ul>). Runs before project().

# ISOMINT_CHANGELOG names another changelog (the tests' samples).
if(DEFINED ISOMINT_CHANGELOG)
    set(changelog "${ISOMINT_CHANGELOG}")
else()
    set(changelog "${CMAKE_CURRENT_LIST_DIR}/../debian/changelog")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${changelog}")
file(READ "${changelog}" content)
# One list element per line; a semicolon in the text waits as a unit separator.
string(ASCII 31 semicolon)
string(REPLACE ";" "${semicolon}" content "${content}")
string(REPLACE "\n" ";" lines "${content}")

list(GET lines 0 heading)
if(NOT heading MATCHES "^isomint-stencil \\(([0-9]+(\\.[0-9]+)*)\\) ")
    message(FATAL_ERROR "debian/changelog starts with no version: ${heading}")
endif()
set(ISOMINT_RELEASE_VERSION "${CMAKE_MATCH_1}")

set(ISOMINT_RELEASE_DATE "")
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
set(ISOMINT_RELEASE_NOTES "<ul>")
set(item "")
# Closes the item gathered so far as one <li>, escaped for XML.
macro(isomint_release_item)
    if(NOT item STREQUAL "")
        string(REPLACE "${semicolon}" ";" item "${item}")
        string(REPLACE "&" "&amp;" item "${item}")
        string(REPLACE "<" "&lt;" item "${item}")
        string(REPLACE ">" "&gt;" item "${item}")
        string(APPEND ISOMINT_RELEASE_NOTES "\n          <li>${item}</li>")
    endif()
endmacro()
foreach(line IN LISTS lines)
    if(line MATCHES "^ -- .*  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
        list(FIND months "${CMAKE_MATCH_2}" month)
        math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
        string(LENGTH "${month}" digits)
        if(digits EQUAL 1)
            set(month "0${month}")
        endif()
        set(ISOMINT_RELEASE_DATE "${CMAKE_MATCH_3}-${month}-${CMAKE_MATCH_1}")
        break()
    elseif(line MATCHES "^  \\* (.*)")
        isomint_release_item()
        set(item "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^    +(.*)")
        string(APPEND item " ${CMAKE_MATCH_1}")
    endif()
endforeach()
isomint_release_item()
if(NOT ISOMINT_RELEASE_DATE)
    message(FATAL_ERROR "debian/changelog: the newest entry has no trailer line with a date")
endif()

string(APPEND ISOMINT_RELEASE_NOTES "\n        </ul>")
unset(changelog)
unset(content)
unset(lines)
unset(item)
unset(semicolon)
