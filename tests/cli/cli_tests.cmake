# The end-to-end tests run the sifter-cli of this build.
if(TARGET cli_run_test)
  target_sources(cli_run_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/cli_process.cpp ${CMAKE_CURRENT_LIST_DIR}/cli_process.h)
  target_include_directories(cli_run_test PRIVATE ${CMAKE_CURRENT_LIST_DIR})
  target_compile_definitions(cli_run_test PRIVATE SIFTER_CLI_BINARY="$<TARGET_FILE:sifter-cli>")
  add_dependencies(cli_run_test sifter-cli)
endif()
