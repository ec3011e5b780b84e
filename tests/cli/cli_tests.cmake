# SPDX-License-Identifier: GPL-3.0-or-later
# The end-to-end tests run the sifter-cli of this build.
foreach(target cli_run_test cli_safety_run_test cli_threads_run_test cli_show_lines_run_test)
  if(TARGET ${target})
    target_sources(${target} PRIVATE ${CMAKE_CURRENT_LIST_DIR}/cli_process.cpp ${CMAKE_CURRENT_LIST_DIR}/cli_process.h)
    target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_LIST_DIR})
    target_compile_definitions(${target} PRIVATE SIFTER_CLI_BINARY="$<TARGET_FILE:sifter-cli>")
    add_dependencies(${target} sifter-cli)
  endif()
endforeach()
