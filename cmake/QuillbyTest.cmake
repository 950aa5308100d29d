# quillby_add_test(NAME name SOURCES ... LIBS ... [LABELS ...])
# Builds one GoogleTest program and registers it with ctest; on the windows
# preset ctest runs it under Wine through the cross-compiling emulator.
function(quillby_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gmock_main)
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  if(T_LABELS)
    set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABELS}")
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
