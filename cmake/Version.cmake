# The files that carry the version, made from PROJECT_VERSION: the programs'
# version header, the man pages written by hand and the AppStream metainfo.
set(KIVO_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${PROJECT_SOURCE_DIR}/src/session/Version.h.in ${KIVO_GENERATED_DIR}/session/Version.h @ONLY)

# The package's history is packaging/changelog (Debian's format, newest
# first): the metainfo's releases are made from it, each under its own
# version and day, so an older release is never shown under a newer
# version. Its newest entry must be PROJECT_VERSION's (the e2e.Version test
# says so); that entry's day is the release's, for the man pages.
set(month_abbreviations Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
set(month_names January February March April May June July August September October November December)
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/changelog changelog_lines)
set(KIVO_METAINFO_RELEASES "")
set(KIVO_RELEASE_DATE "")
set(entry_version "")
set(entry_items "")
set(item "")
macro(kivo_close_item)
  if(NOT item STREQUAL "")
    string(REPLACE "&" "&amp;" item "${item}")
    string(REPLACE "<" "&lt;" item "${item}")
    string(REPLACE ">" "&gt;" item "${item}")
    string(APPEND entry_items "          <li>${item}</li>\n")
    set(item "")
  endif()
endmacro()
foreach(line IN LISTS changelog_lines)
  if(line MATCHES "^kivo-ridivori \\(([^)]+)\\)")
    set(entry_version "${CMAKE_MATCH_1}")
    set(entry_items "")
  elseif(line MATCHES "^  \\* (.*)$")
    kivo_close_item()
    set(item "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^    +(.*)$")
    string(APPEND item " ${CMAKE_MATCH_1}")
  elseif(line MATCHES "^ -- .*, ([0-9]+) ([A-Z][a-z][a-z]) ([0-9]+) ")
    kivo_close_item()
    set(day "${CMAKE_MATCH_1}")
    string(LENGTH "${day}" day_length)
    if(day_length EQUAL 1)
      set(day "0${day}")
    endif()
    set(year "${CMAKE_MATCH_3}")
    list(FIND month_abbreviations "${CMAKE_MATCH_2}" month)
    math(EXPR month_number "${month} + 1")
    if(month_number LESS 10)
      set(month_number "0${month_number}")
    endif()
    if(KIVO_RELEASE_DATE STREQUAL "")
      set(KIVO_RELEASE_DATE "${year}-${month_number}-${day}")
      list(GET month_names ${month} month_name)
      set(KIVO_RELEASE_MONTH "${month_name} ${year}")
      set(newest_version "${entry_version}")
    endif()
    string(APPEND KIVO_METAINFO_RELEASES
      "    <release version=\"${entry_version}\" date=\"${year}-${month_number}-${day}\">\n"
      "      <description>\n        <ul>\n${entry_items}        </ul>\n      </description>\n    </release>\n")
  endif()
endforeach()
string(STRIP "${KIVO_METAINFO_RELEASES}" KIVO_METAINFO_RELEASES)
if(NOT newest_version STREQUAL PROJECT_VERSION)
  message(WARNING "packaging/changelog's newest entry is ${newest_version}, the project is ${PROJECT_VERSION}: "
                  "write the new version's entry")
endif()
# help2man dates kivo-cli's page by SOURCE_DATE_EPOCH: the release's day too.
execute_process(COMMAND date -u -d "${KIVO_RELEASE_DATE}" +%s
  OUTPUT_VARIABLE KIVO_RELEASE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)

set(KIVO_APP_ID com.brenvor.KivoRidivori)
foreach(page kivo-transfer.1 kivo-gauge-sim.1 ${KIVO_APP_ID}.metainfo.xml)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/${page}.in ${CMAKE_BINARY_DIR}/${page} @ONLY)
endforeach()
