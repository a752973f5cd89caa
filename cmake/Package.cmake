# `make deb`: a Debian package of what cmake/Install.cmake installs, under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${QV_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "QV-Suite maintainers <maintainers@qv-suite.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "level meter preset editor and software updater")
# One string: a list would put its semicolons into the control file.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Desktop programs for a family of stereo audio level meters reached over\n"
       "a serial line. QV-Matrix edits the meter's presets (routing matrix,\n"
       "labels, gains, display options and scales) and controls it remotely.\n"
       "QV-Update identifies the meter and installs its software, firmware and\n"
       "configuration. qv-tool is a command-line service tool, and\n"
       "qv-instrument-sim serves a simulated meter on a pseudo-terminal so that\n"
       "the programs can be used without hardware.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/deb)
set(CPACK_STRIP_FILES TRUE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://qv-suite.example/")
# Dependencies come from the shared libraries the programs link.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/debian/postinst
                                       ${PROJECT_SOURCE_DIR}/packaging/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)

include(CPack)
