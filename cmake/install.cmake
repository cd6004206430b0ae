# Installation and packages: the programs to bin/, their manual pages to
# share/man/man1/, the documents to share/doc/tessadro/ (the README with the
# docs/ files it links to, so that its links work there too, the Debian
# copyright file and changelog), the example year to share/tessadro/example/.
# CPack makes a Debian package and a tarball of the same tree
# (cmake --workflow --preset package).
include(GNUInstallDirs)

# Who answers for the package: the Debian package's Maintainer and the signer
# of its changelog.
set(TESSADRO_MAINTAINER "The tessadro developers <tessadro@tessadro.org>" CACHE STRING
    "Maintainer of the Debian package, as: name <address>")

set(tessadro_programs tessadro)
if(TARGET tessadro-report)
  list(APPEND tessadro_programs tessadro-report)
endif()
install(TARGETS ${tessadro_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The changelog's newest entry is the release being built.
file(STRINGS packaging/changelog.in newest LIMIT_COUNT 1)
string(REPLACE "." "\\." version_pattern "${PROJECT_VERSION}")
if(NOT newest MATCHES "^tessadro \\(${version_pattern}\\) ")
  message(FATAL_ERROR "packaging/changelog.in: the newest entry is not version ${PROJECT_VERSION}: add one")
endif()

# The manual pages (with the version) and the changelog (with the maintainer),
# compressed as Debian installs them: gzip -9, no name or time inside.
set(packaging ${CMAKE_CURRENT_BINARY_DIR}/packaging)
configure_file(packaging/changelog.in ${packaging}/changelog @ONLY)
set(compressed ${packaging}/changelog.gz)
set(manual_pages)
foreach(program IN LISTS tessadro_programs)
  configure_file(docs/man/${program}.1.in ${packaging}/${program}.1 @ONLY)
  list(APPEND compressed ${packaging}/${program}.1.gz)
  list(APPEND manual_pages ${packaging}/${program}.1.gz)
endforeach()
foreach(file IN LISTS compressed)
  string(REGEX REPLACE "\\.gz$" "" plain ${file})
  add_custom_command(OUTPUT ${file} COMMAND gzip -9nkf ${plain} DEPENDS ${plain} VERBATIM)
endforeach()
add_custom_target(packaging_files ALL DEPENDS ${compressed})

install(FILES ${manual_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES README.md packaging/copyright ${packaging}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES docs/formats.md docs/report-example-2010.png docs/period-example.png DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs)
install(DIRECTORY example/ DESTINATION ${CMAKE_INSTALL_DATADIR}/tessadro/example)

set(CPACK_PACKAGE_NAME tessadro)
set(CPACK_PACKAGE_VENDOR "The tessadro developers")
set(CPACK_PACKAGE_CONTACT "${TESSADRO_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# The extended description, in lines that fit a package listing's 80 columns.
set(CPACK_PACKAGE_DESCRIPTION
    "For one calendar year, tessadro reads the water-use accounting\n"
    "(well-by-well pumping, return flow and irrigated acres of water-right\n"
    "groups, and their authorized 40-acre tracts) and the model's static\n"
    "tables, and writes the model's cell-by-cell inputs: monthly pumping and\n"
    "recharge arrays for May to October, an annual irrigated-acres array,\n"
    "municipal and industrial pumping, point lists for plotting, and check\n"
    "reports. tessadro-report runs the same year and writes a report of where\n"
    "the water went: a page with the water budget, maps and the problems\n"
    "found, CSV files and, optionally, GIS grids.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE)
set(CPACK_GENERATOR DEB TGZ)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-${CMAKE_SYSTEM_PROCESSOR})
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_LICENSE MIT)
# The shared libraries the programs link (the C++ runtime, and libpng for the
# year report) become the package's dependencies, as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

include(CPack)
