# Helpers that let each folder pick up its own sources, so that adding a file
# to a module never means editing a shared list.

# orvex_library(NAME [QT] [STRICT] [DEPS dep...]): a static library of every
# .cpp in the calling folder (and its headers). Without QT it must not see Qt
# at all. STRICT warns about shadowing and narrowing conversions, and stops
# the build at any warning with ORVEX_WERROR.
function(orvex_library name)
  cmake_parse_arguments(ARG "QT;STRICT" "" "DEPS" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB _hdr CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT _src)
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    if(ARG_QT)
      target_link_libraries(${name} INTERFACE Qt6::Widgets Qt6::PrintSupport)
    endif()
    return()
  endif()
  add_library(${name} STATIC ${_src} ${_hdr})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  if(ARG_STRICT)
    # clang's -Wconversion also covers signedness, which g++ leaves to
    # -Wsign-conversion; both compilers check the same here.
    target_compile_options(${name} PRIVATE ${ORVEX_STRICT_OPTIONS})
  endif()
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  if(ARG_QT)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PUBLIC Qt6::Widgets Qt6::PrintSupport)
  endif()
endfunction()

# orvex_test(NAME [QT] DEPS dep...): one GoogleTest executable of every .cpp
# in the calling folder. With QT the tests run inside a QApplication on the
# offscreen platform. Either way the locale comes from the environment, as
# the program's does.
function(orvex_test name)
  cmake_parse_arguments(ARG "QT" "" "DEPS" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT _src)
    return()
  endif()
  if(ARG_QT)
    add_executable(${name} ${_src} ${CMAKE_SOURCE_DIR}/tests/qt_test_main.cpp)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} Qt6::Widgets Qt6::Test GTest::gtest GTest::gmock)
  else()
    add_executable(${name} ${_src} ${CMAKE_SOURCE_DIR}/tests/core_test_main.cpp)
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock)
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  target_compile_definitions(${name} PRIVATE
    ORVEX_SOURCE_DIR="${CMAKE_SOURCE_DIR}" ORVEX_PROGRAM_DIR="${ORVEX_PROGRAM_DIR}")
  add_dependencies(${name} orvex_data)
  include(GoogleTest)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${ORVEX_PROGRAM_DIR}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# orvex_require_no_qt(target...): stops the configure when one of the
# targets links Qt, directly or through any library it links.
function(_orvex_qt_links target out_var)
  set(_seen ${ARGN})
  set(_found "")
  foreach(_prop LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
    get_target_property(_libs ${target} ${_prop})
    if(NOT _libs)
      continue()
    endif()
    foreach(_lib IN LISTS _libs)
      if(_lib MATCHES "(^|[^A-Za-z])Qt[0-9]*::")
        list(APPEND _found "${target} -> ${_lib}")
      elseif(TARGET ${_lib} AND NOT _lib IN_LIST _seen)
        list(APPEND _seen ${_lib})
        _orvex_qt_links(${_lib} _sub ${_seen})
        list(APPEND _found ${_sub})
      endif()
    endforeach()
  endforeach()
  set(${out_var} ${_found} PARENT_SCOPE)
endfunction()

function(orvex_require_no_qt)
  foreach(_target ${ARGN})
    _orvex_qt_links(${_target} _qt ${_target})
    if(_qt)
      message(FATAL_ERROR "${_target} must stay free of Qt, but links: ${_qt}")
    endif()
  endforeach()
endfunction()
