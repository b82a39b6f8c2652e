# What cmake/Release.cmake reads from a changelog: the newest entry's
# version, date and items (as AppStream XML), or a refusal.
# Usage: cmake -DSOURCE=<source folder> -DWORK=<scratch folder> -P release-notes.cmake

cmake_minimum_required(VERSION 3.25)
if(DEFINED PROBE)
    # Run per case in a process of its own, since a refusal ends the process.
    include("${SOURCE}/cmake/Release.cmake")
    message(NOTICE "${ISOMINT_RELEASE_VERSION}|${ISOMINT_RELEASE_DATE}|${ISOMINT_RELEASE_NOTES}")
    return()
endif()

set(trailer " -- A Developer <a@example.org>")
set(li "\n          <li>")

# Each case: a name, the changelog, and what is printed (or a refusal's words).
set(case_names newest_entry_escaped early_date no_version no_trailer)
set(newest_entry_escaped_text "isomint-stencil (1.2.3) unstable; urgency=medium

  * Reads <VIDEO_TS> & AUDIO_TS; then builds.
  * A long item that goes on
    over two lines.

${trailer}  Wed, 09 Dec 2026 18:00:00 +0000

isomint-stencil (1.2.2) unstable; urgency=medium

  * An older item.

${trailer}  Tue, 08 Dec 2026 18:00:00 +0000
")
set(newest_entry_escaped_expected
    "1.2.3|2026-12-09|<ul>${li}Reads &lt;VIDEO_TS&gt; &amp; AUDIO_TS; then builds.</li>${li}A long item that goes on over two lines.</li>\n        </ul>")
set(early_date_text "isomint-stencil (0.1) unstable; urgency=low

  * First.

${trailer}  Mon, 02 Mar 2026 07:00:00 +0100
")
set(early_date_expected "0.1|2026-03-02|<ul>${li}First.</li>\n        </ul>")
set(no_version_text "isomint-stencil (UNRELEASED) unstable; urgency=low\n\n${trailer}  Mon, 02 Mar 2026 07:00:00 +0100\n")
set(no_version_expected "starts with no version")
set(no_trailer_text "isomint-stencil (0.2) unstable; urgency=low\n\n  * No trailer.\n")
set(no_trailer_expected "has no trailer line with a date")

set(failures 0)
foreach(name IN LISTS case_names)
    file(WRITE "${WORK}/${name}.changelog" "${${name}_text}")
    execute_process(COMMAND "${CMAKE_COMMAND}" -DPROBE=1 "-DSOURCE=${SOURCE}"
                            "-DISOMINT_CHANGELOG=${WORK}/${name}.changelog" -P "${CMAKE_CURRENT_LIST_FILE}"
                    RESULT_VARIABLE status ERROR_VARIABLE printed)
    string(STRIP "${printed}" printed)
    set(expected "${${name}_expected}")
    if(name MATCHES "^no_")
        string(FIND "${printed}" "${expected}" at)
        if(status EQUAL 0 OR at EQUAL -1)
            message(NOTICE "FAIL ${name}: expected a refusal with '${expected}', got ${status}: ${printed}")
            math(EXPR failures "${failures} + 1")
        endif()
    elseif(NOT status EQUAL 0 OR NOT printed STREQUAL expected)
        message(NOTICE "FAIL ${name}:\n  expected: ${expected}\n  got (${status}): ${printed}")
        math(EXPR failures "${failures} + 1")
    endif()
endforeach()
if(failures GREATER 0)
    message(FATAL_ERROR "${failures} release case(s) failed")
endif()
message(NOTICE "release notes: all cases passed")
