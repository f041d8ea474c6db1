# A library target made of every source file below its folder, so that adding a
# class means adding its two files and nothing else.
function(lumora_add_library name)
  cmake_parse_arguments(ARG "" "" "PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})
endfunction()

# One Qt Test program per tst_*.cpp file of the calling folder, registered with ctest.
# Shared helpers of the folder (other .cpp files) are linked into each program.
function(lumora_add_tests prefix)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
  file(GLOB helpers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  list(FILTER helpers EXCLUDE REGEX "/tst_[^/]*\\.cpp$")
  foreach(test ${tests})
    get_filename_component(base ${test} NAME_WE)
    set(target ${prefix}_${base})
    add_executable(${target} ${test} ${helpers})
    target_link_libraries(${target} PRIVATE Qt6::Test ${ARG_LIBS})
    target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests/common)
    target_compile_definitions(${target} PRIVATE
      LUMORA_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
      LUMORA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
    add_test(NAME ${target} COMMAND ${target})
    set_tests_properties(${target} PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LUMORA_PRESENCE_TIMEOUT_MS=15000;ASAN_OPTIONS=detect_leaks=0;UBSAN_OPTIONS=print_stacktrace=1"
      TIMEOUT 600)
  endforeach()
endfunction()
