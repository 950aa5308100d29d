include(GoogleTest)

# quillby_add_test(NAME name SOURCES ... LIBS ... [LABELS ...])
# Builds one GoogleTest program and registers it with ctest. Natively every test
# case is its own ctest entry, named program.Suite.Case. On the windows preset
# ctest runs the program under Wine through the cross-compiling emulator, as one
# entry: listing the cases would start Wine (and a display) while building, and
# an entry per case would start Wine once per case; the program's output names
# the failing case.
function(quillby_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gmock_main)
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    if(T_LABELS)
      set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABELS}")
    endif()
  elseif(T_LABELS)
    gtest_discover_tests(${T_NAME} TEST_PREFIX ${T_NAME}. PROPERTIES LABELS "${T_LABELS}")
  else()
    gtest_discover_tests(${T_NAME} TEST_PREFIX ${T_NAME}.)
  endif()
endfunction()

# quillby_use_standin(target): the test program finds the stand-in host beside
# itself, as standin_host.exe, and links the helpers that drive it.
function(quillby_use_standin target)
  set(copy ${CMAKE_CURRENT_BINARY_DIR}/standin_host.exe)
  add_custom_command(OUTPUT ${copy}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:standin_host> ${copy}
    DEPENDS standin_host)
  add_custom_target(${target}_standin ALL DEPENDS ${copy})
  add_dependencies(${target} ${target}_standin)
  target_link_libraries(${target} PRIVATE quillby_standin_support)
endfunction()
