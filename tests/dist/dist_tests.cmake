# SPDX-License-Identifier: GPL-3.0-or-later
# What is shipped beside the programs: metainfo, manual pages, shell completion, the install.
set(dist ${CMAKE_CURRENT_LIST_DIR})
add_test(NAME metainfo_and_entry_validate
         COMMAND bash ${dist}/metainfo_test.sh ${PROJECT_SOURCE_DIR} ${PROJECT_VERSION})
add_test(NAME man_pages_render_cleanly
         COMMAND bash ${dist}/man_pages_test.sh ${PROJECT_SOURCE_DIR}/docs/man $<TARGET_FILE:sifter-cli> ${PROJECT_VERSION}
                 $<$<BOOL:${SIFTER_BUILD_GUI}>:$<TARGET_FILE:sifter>>)
add_test(NAME bash_completion_completes
         COMMAND bash ${dist}/bash_completion_test.sh ${PROJECT_SOURCE_DIR}/completions/sifter-cli.bash $<TARGET_FILE:sifter-cli>)
add_test(NAME completions_cover_every_option
         COMMAND bash ${dist}/completions_cover_options_test.sh ${PROJECT_SOURCE_DIR}/completions $<TARGET_FILE:sifter-cli>)
if(SIFTER_BUILD_GUI)
  add_test(NAME install_puts_desktop_files_in_place
           COMMAND bash ${dist}/install_test.sh ${CMAKE_BINARY_DIR})
endif()
add_test(NAME every_source_file_names_its_licence
         COMMAND bash ${dist}/licence_lines_test.sh ${PROJECT_SOURCE_DIR})
# The catalogues are up to date with the texts the sources mark (translations/CMakeLists.txt).
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/translated_sources.txt
     CONTENT "$<JOIN:${SIFTER_TRANSLATED_SOURCES},\n>\n")
add_test(NAME translations_are_current
         COMMAND bash ${dist}/translations_current_test.sh $<TARGET_FILE:Qt6::lupdate>
                 ${CMAKE_BINARY_DIR}/translated_sources.txt ${SIFTER_TS_FILES} -- ${SIFTER_LUPDATE_OPTIONS})
# The programs allocate with jemalloc, with their own settings (cmake/SifterAllocator.cmake):
# asked for its statistics at exit, each prints them with those settings. A link that lost
# either would leave a slower allocator or a larger one, silently.
if(JEMALLOC_FOUND)
  string(REGEX MATCH "oversize_threshold:([0-9]+)" oversize "${SIFTER_JEMALLOC_CONF}")
  set(sifter_programs sifter-cli)
  if(SIFTER_BUILD_GUI)
    list(APPEND sifter_programs sifter)
  endif()
  foreach(program ${sifter_programs})
    add_test(NAME ${program}_allocates_with_jemalloc COMMAND $<TARGET_FILE:${program}> --version)
    set_tests_properties(${program}_allocates_with_jemalloc PROPERTIES
                         ENVIRONMENT "MALLOC_CONF=stats_print:true;QT_QPA_PLATFORM=offscreen"
                         PASS_REGULAR_EXPRESSION "opt.oversize_threshold: ${CMAKE_MATCH_1}")
  endforeach()
endif()
