# Build-time measures applied to every target, after all folders are added,
# so the folders' own CMakeLists stay plain.
#
# - Precompiled headers, one per kind of target (plain, GoogleTest, Qt
#   Widgets, Qt Widgets + GoogleTest), built once and reused: parsing the
#   GoogleTest and Qt headers is most of the work in a small file.
# - A faster linker when the compiler can use one.
# - Line tables only in the sanitizer build: its reports still name file and
#   line, and the objects and links get much smaller.

option(QV_PCH "Use precompiled headers" ON)
set(QV_LINKER "auto" CACHE STRING "Linker to use: auto (lld, then gold), default, or a -fuse-ld= name")

# All build-system targets defined in a folder and below.
function(qv_collect_targets dir out)
  get_property(targets DIRECTORY "${dir}" PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY "${dir}" PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    qv_collect_targets("${sub}" more)
    list(APPEND targets ${more})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# Collects in ${out} the libraries whose compile flags reach a target: its own
# link libraries and, through our own libraries, their interface ones.
function(qv_usage_closure target out)
  set(seen "")
  get_target_property(todo ${target} LINK_LIBRARIES)
  if(NOT todo)
    set(todo "")
  endif()
  while(todo)
    list(POP_FRONT todo lib)
    if(lib IN_LIST seen OR lib MATCHES "^\\$<LINK_ONLY:")
      continue()
    endif()
    list(APPEND seen ${lib})
    if(TARGET ${lib})
      get_target_property(imported ${lib} IMPORTED)
      get_target_property(type ${lib} TYPE)
      if(NOT imported AND NOT type STREQUAL "INTERFACE_LIBRARY")
        get_target_property(more ${lib} INTERFACE_LINK_LIBRARIES)
        if(more)
          list(APPEND todo ${more})
        endif()
      endif()
    endif()
  endwhile()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

# The headers and flags of a PCH must match its users exactly, so each kind
# gets its own small carrier target whose headers the others reuse.
function(qv_pch_carrier name)
  cmake_parse_arguments(C "" "" "LIBS;HEADERS" ${ARGN})
  set(source "${CMAKE_BINARY_DIR}/pch/${name}.cpp")
  file(CONFIGURE OUTPUT "${source}" CONTENT "// Carries the precompiled header.\n")
  add_library(${name} STATIC "${source}")
  target_link_libraries(${name} PRIVATE ${C_LIBS})
  target_precompile_headers(${name} PRIVATE ${C_HEADERS})
endfunction()

set(QV_PCH_STL <algorithm> <array> <chrono> <cstddef> <cstdint> <cstdio> <filesystem> <fstream> <functional>
    <map> <memory> <optional> <span> <string> <string_view> <utility> <vector>)
set(QV_PCH_QT <QAction> <QApplication> <QCheckBox> <QComboBox> <QDialog> <QDir> <QFile> <QGroupBox>
    <QHBoxLayout> <QLabel> <QLineEdit> <QMenu> <QPainter> <QPointer> <QPushButton> <QString> <QTemporaryDir>
    <QTimer> <QVBoxLayout> <QWidget>)

function(qv_apply_build_speed)
  qv_collect_targets("${PROJECT_SOURCE_DIR}" targets)

  include(CheckLinkerFlag)
  set(linker "")
  if(QV_LINKER STREQUAL "auto")
    foreach(candidate lld gold)
      check_linker_flag(CXX "-fuse-ld=${candidate}" QV_HAVE_LD_${candidate})
      if(QV_HAVE_LD_${candidate})
        set(linker ${candidate})
        break()
      endif()
    endforeach()
  elseif(NOT QV_LINKER STREQUAL "default")
    set(linker ${QV_LINKER})
  endif()

  if(QV_PCH)
    qv_pch_carrier(qv_pch_plain HEADERS ${QV_PCH_STL})
    qv_pch_carrier(qv_pch_gtest LIBS GTest::gtest HEADERS ${QV_PCH_STL} <gtest/gtest.h>)
    qv_pch_carrier(qv_pch_qt LIBS Qt6::Widgets HEADERS ${QV_PCH_STL} ${QV_PCH_QT})
    qv_pch_carrier(qv_pch_qt_gtest LIBS Qt6::Widgets GTest::gtest HEADERS ${QV_PCH_STL} ${QV_PCH_QT} <gtest/gtest.h>)
    list(APPEND targets qv_pch_plain qv_pch_gtest qv_pch_qt qv_pch_qt_gtest)
  endif()

  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(NOT type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$")
      continue()
    endif()
    if(QV_SANITIZE)
      # Comes after the configuration's -g, so it wins.
      target_compile_options(${target} PRIVATE -g1)
    endif()
    if(linker AND NOT type MATCHES "^(STATIC_LIBRARY|OBJECT_LIBRARY)$")
      target_link_options(${target} PRIVATE -fuse-ld=${linker})
    endif()
    if(NOT QV_PCH OR target MATCHES "^qv_pch_")
      continue()
    endif()
    qv_usage_closure(${target} uses)
    set(qt OFF)
    set(widgets OFF)
    set(gtest OFF)
    foreach(lib IN LISTS uses)
      if(lib MATCHES "^Qt6::")
        set(qt ON)
      endif()
      if(lib STREQUAL "Qt6::Widgets")
        set(widgets ON)
      endif()
      if(lib MATCHES "^GTest::")
        set(gtest ON)
      endif()
    endforeach()
    # Qt without widgets (position-independent code, other defines) has no
    # carrier of its own: too few files to pay for one.
    if(qt AND NOT widgets)
      continue()
    endif()
    set(carrier qv_pch_plain)
    if(widgets AND gtest)
      set(carrier qv_pch_qt_gtest)
    elseif(widgets)
      set(carrier qv_pch_qt)
    elseif(gtest)
      set(carrier qv_pch_gtest)
    endif()
    target_precompile_headers(${target} REUSE_FROM ${carrier})
  endforeach()
endfunction()

qv_apply_build_speed()
