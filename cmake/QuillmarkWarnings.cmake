# quillmark_warnings: the warning flags every target of ours builds with.
add_library(quillmark_warnings INTERFACE)
target_compile_options(quillmark_warnings INTERFACE -Wall -Wextra -Wpedantic)
if(QUILLMARK_WERROR)
  target_compile_options(quillmark_warnings INTERFACE -Werror)
endif()

# quillmark_layer(<name> <dir> [DEPS ...] [LIBS ...]): one static library per
# folder, its sources globbed so that adding a file needs no CMake edit.
function(quillmark_layer name dir)
  cmake_parse_arguments(ARG "" "" "DEPS;LIBS" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(_src)
    add_library(${name} STATIC ${_src})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS} ${ARG_LIBS} PRIVATE quillmark_warnings)
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS} ${ARG_LIBS})
  endif()
  string(REPLACE "quillmark_" "" _short ${name})
  add_library(quillmark::${_short} ALIAS ${name})
endfunction()

# quillmark_test(<name> <dir> DEPS ...): one GoogleTest executable per test folder.
function(quillmark_test name dir)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(NOT _src)
    return()
  endif()
  add_executable(${name} ${_src})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} quillmark_test_support GTest::gtest GTest::gtest_main quillmark_warnings)
  gtest_discover_tests(${name} WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                       PROPERTIES ENVIRONMENT "QUILLMARK_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()
