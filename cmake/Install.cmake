# Installation: the four programs, their menu entries, MIME packages and
# icons, the help pages, the manual pages and the package's documents.
# `cmake --install` takes what the build made; the install-files target
# makes the files that are not programs.
include(GNUInstallDirs)

set(QV_PACKAGE_NAME qv-suite)
set(QV_INSTALL_PROGRAMS qv-matrix qv-update qv-tool qv-instrument-sim)
set(QV_STAGE ${CMAKE_BINARY_DIR}/install-files)

# Installing and packaging build only what they install, not every test.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)

# Programs in the build tree find the help pages of the source tree through
# share/qv-suite/help of the build folder, as installed ones do under the prefix.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/share/qv-suite)
file(CREATE_LINK ${PROJECT_SOURCE_DIR}/docs/help ${CMAKE_BINARY_DIR}/share/qv-suite/help SYMBOLIC)

# Menu entries, MIME packages and icons, drawn by our own code.
add_custom_command(
  OUTPUT ${QV_STAGE}/freedesktop.stamp
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${QV_STAGE}/share
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:freedesktop-files> ${QV_STAGE}/share
  COMMAND ${CMAKE_COMMAND} -E touch ${QV_STAGE}/freedesktop.stamp
  DEPENDS freedesktop-files
  COMMENT "Writing the desktop entries, MIME packages and icons"
  VERBATIM)

# Compressed as Debian wants them: gzip -9, no name or time stamp inside.
set(QV_GZIPPED ${QV_STAGE}/freedesktop.stamp)
function(qv_gzip source target)
  add_custom_command(
    OUTPUT ${target}
    COMMAND sh -c "mkdir -p \"$(dirname \"$2\")\" && gzip -9nc \"$1\" > \"$2\"" sh ${source} ${target}
    DEPENDS ${source}
    VERBATIM)
  set(QV_GZIPPED ${QV_GZIPPED} ${target} PARENT_SCOPE)
endfunction()

foreach(program ${QV_INSTALL_PROGRAMS})
  qv_gzip(${PROJECT_SOURCE_DIR}/docs/man/${program}.1 ${QV_STAGE}/man/${program}.1.gz)
  list(APPEND QV_MAN_PAGES ${QV_STAGE}/man/${program}.1.gz)
endforeach()
qv_gzip(${PROJECT_SOURCE_DIR}/packaging/debian/changelog ${QV_STAGE}/doc/changelog.gz)

add_custom_target(install-files ALL DEPENDS ${QV_GZIPPED})

install(TARGETS ${QV_INSTALL_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${QV_STAGE}/share/ DESTINATION ${CMAKE_INSTALL_DATADIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/help/ DESTINATION ${CMAKE_INSTALL_DATADIR}/qv-suite/help)
install(FILES ${QV_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian/copyright ${QV_STAGE}/doc/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${QV_PACKAGE_NAME})

# Installs the build into a temporary folder and checks the tree.
qv_add_test(install_tests SOURCES ${PROJECT_SOURCE_DIR}/packaging/tests/install_tree_test.cpp
            LIBS qv_matrix_ui qv_platform Qt6::Gui)
add_dependencies(install_tests ${QV_INSTALL_PROGRAMS} install-files)
target_compile_definitions(install_tests PRIVATE QV_BUILD_DIR="${CMAKE_BINARY_DIR}"
                                                 QV_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
                                                 QV_CMAKE="${CMAKE_COMMAND}")
