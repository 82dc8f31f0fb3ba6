# The files that carry the version, made from PROJECT_VERSION and
# KIVO_RELEASE_DATE: the programs' version header, the man pages written by
# hand and the AppStream metainfo.
set(KIVO_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${PROJECT_SOURCE_DIR}/src/session/Version.h.in ${KIVO_GENERATED_DIR}/session/Version.h @ONLY)

# Man pages name the month of the release ("December 2026").
string(SUBSTRING "${KIVO_RELEASE_DATE}" 0 4 release_year)
string(SUBSTRING "${KIVO_RELEASE_DATE}" 5 2 release_month)
math(EXPR release_month "${release_month} - 1")
set(month_names January February March April May June July August September October November December)
list(GET month_names ${release_month} release_month_name)
set(KIVO_RELEASE_MONTH "${release_month_name} ${release_year}")
# help2man dates kivo-cli's page by SOURCE_DATE_EPOCH: the release's day too.
execute_process(COMMAND date -u -d "${KIVO_RELEASE_DATE}" +%s
  OUTPUT_VARIABLE KIVO_RELEASE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)

set(KIVO_APP_ID com.brenvor.KivoRidivori)
foreach(page kivo-transfer.1 kivo-gauge-sim.1 ${KIVO_APP_ID}.metainfo.xml)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/${page}.in ${CMAKE_BINARY_DIR}/${page} @ONLY)
endforeach()
