# The Debian package kivo-ridivori: `cmake --build build --target package`.
#
# An installed program keeps its program folder (the programs, the pictures
# and a Konfi.ini) under /usr/lib/kivo-ridivori/, as the build folder is
# one: the programs find it as the folder of their own executable, through
# the links in /usr/bin. The machine's Konfi.ini is a conffile in
# /etc/kivo-ridivori/, and the manuals are documentation in
# /usr/share/doc/kivo-ridivori/; the program folder links to both.

if(NOT UNIX OR APPLE)
  return()
endif()

if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  set(CMAKE_INSTALL_PREFIX /usr CACHE PATH "Installation prefix" FORCE)
endif()

set(KIVO_PACKAGE kivo-ridivori)
set(KIVO_LIB_DIR lib/${KIVO_PACKAGE})
set(KIVO_DOC_DIR share/doc/${KIVO_PACKAGE})
set(KIVO_PACKAGING ${PROJECT_SOURCE_DIR}/packaging)
set(KIVO_STAGE ${CMAKE_BINARY_DIR}/package-files)

find_program(GZIP gzip REQUIRED)
get_property(KIVO_PICTURES GLOBAL PROPERTY KIVO_PICTURES)
get_property(KIVO_MANUALS GLOBAL PROPERTY KIVO_MANUALS)

# Links and compressed pages are made in the build folder and installed as
# they are: install() copies a link as a link.
set(KIVO_STAGED)
function(kivo_stage_link name target)
  add_custom_command(OUTPUT ${KIVO_STAGE}/${name}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KIVO_STAGE}
    COMMAND ${CMAKE_COMMAND} -E create_symlink ${target} ${KIVO_STAGE}/${name}
    VERBATIM)
  list(APPEND KIVO_STAGED ${KIVO_STAGE}/${name})
  set(KIVO_STAGED ${KIVO_STAGED} PARENT_SCOPE)
endfunction()
function(kivo_stage_gzip source name)
  add_custom_command(OUTPUT ${KIVO_STAGE}/${name}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KIVO_STAGE}
    COMMAND sh -c "${GZIP} -9 -n -c '${source}' > '${KIVO_STAGE}/${name}'"
    DEPENDS ${source}
    VERBATIM)
  list(APPEND KIVO_STAGED ${KIVO_STAGE}/${name})
  set(KIVO_STAGED ${KIVO_STAGED} PARENT_SCOPE)
endfunction()

set(KIVO_PROGRAMS kivo-transfer kivo-cli kivo-gauge-sim)
foreach(program ${KIVO_PROGRAMS})
  kivo_stage_link(bin-${program} ../${KIVO_LIB_DIR}/${program})
endforeach()
kivo_stage_link(Konfi.ini /etc/${KIVO_PACKAGE}/Konfi.ini)
kivo_stage_link(manuals ../../${KIVO_DOC_DIR})
kivo_stage_gzip(${CMAKE_BINARY_DIR}/kivo-cli.1 kivo-cli.1.gz)
kivo_stage_gzip(${CMAKE_BINARY_DIR}/kivo-transfer.1 kivo-transfer.1.gz)
kivo_stage_gzip(${CMAKE_BINARY_DIR}/kivo-gauge-sim.1 kivo-gauge-sim.1.gz)
kivo_stage_gzip(${KIVO_PACKAGING}/changelog changelog.gz)
add_custom_target(package-files ALL DEPENDS ${KIVO_STAGED})
if(TARGET kivo-cli-man)
  add_dependencies(package-files kivo-cli-man)
endif()

install(TARGETS ${KIVO_PROGRAMS} RUNTIME DESTINATION ${KIVO_LIB_DIR})
foreach(program ${KIVO_PROGRAMS})
  install(FILES ${KIVO_STAGE}/bin-${program} DESTINATION bin RENAME ${program})
endforeach()
install(FILES ${KIVO_PICTURES} ${KIVO_STAGE}/Konfi.ini ${KIVO_STAGE}/manuals DESTINATION ${KIVO_LIB_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/install/Konfi.ini DESTINATION /etc/${KIVO_PACKAGE})
install(FILES ${KIVO_MANUALS} ${KIVO_PACKAGING}/copyright ${KIVO_STAGE}/changelog.gz DESTINATION ${KIVO_DOC_DIR})
install(FILES ${KIVO_STAGE}/kivo-cli.1.gz ${KIVO_STAGE}/kivo-transfer.1.gz ${KIVO_STAGE}/kivo-gauge-sim.1.gz
        DESTINATION share/man/man1)
install(FILES ${KIVO_PACKAGING}/${KIVO_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${CMAKE_BINARY_DIR}/${KIVO_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${KIVO_PACKAGING}/${KIVO_APP_ID}.mime.xml DESTINATION share/mime/packages RENAME ${KIVO_APP_ID}.xml)
install(DIRECTORY ${KIVO_PACKAGING}/icons/hicolor DESTINATION share/icons)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${KIVO_PACKAGE})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Brenvor)
set(CPACK_PACKAGE_CONTACT "Brenvor Software <software@brenvor.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "data program for Kivo coating-thickness and magnetic gauges")
set(CPACK_PACKAGE_DESCRIPTION
  "Kivo RIDIVORI connects to one Kivo gauge over a serial port (USB cable or\n\
Bluetooth), downloads its memories or takes readings live, and shows them\n\
in a coloured table with statistics and charts. It saves and loads\n\
measurement files and hands reports to the clipboard, the printer, CSV, a\n\
spreadsheet, a word processor and a PDF inspection report, in German and\n\
English.\n\
.\n\
The package holds the program with its window (kivo-transfer), the\n\
command-line program for labs and gauge stations (kivo-cli), a gauge\n\
simulator for trying it without a gauge (kivo-gauge-sim) and the operating\n\
manuals.")
set(CPACK_DEBIAN_FILE_NAME ${KIVO_PACKAGE}_${PROJECT_VERSION}_amd64.deb)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the libraries load at run time, which dpkg-shlibdeps cannot see: the
# archive's database driver and the report's font.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libqt6sql6-psql, pdf-viewer, libreoffice-calc, libreoffice-writer")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
file(WRITE ${CMAKE_BINARY_DIR}/conffiles "/etc/${KIVO_PACKAGE}/Konfi.ini\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/conffiles)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_SOURCE_IGNORE_FILES "/build.*/;/\\\\.git/")
include(CPack)
