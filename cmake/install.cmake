# Installation and packages: the programs to bin/, the documents to
# share/doc/tessadro/; CPack makes a Debian package and a tarball of the same
# tree (cmake --workflow --preset package).
include(GNUInstallDirs)

install(TARGETS tessadro tessadro-report RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES README.md LICENSE docs/formats.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME tessadro)
set(CPACK_PACKAGE_VENDOR "The tessadro developers")
set(CPACK_PACKAGE_CONTACT "tessadro developers <tessadro@example.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE)
set(CPACK_GENERATOR DEB TGZ)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-${CMAKE_SYSTEM_PROCESSOR})

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_LICENSE MIT)
# The shared libraries the programs link (the C++ runtime, and libpng for the
# year report) become the package's dependencies, as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

include(CPack)
