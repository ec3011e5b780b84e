# What is shipped beside the programs: metainfo, manual pages, shell completion, the install.
set(dist ${CMAKE_CURRENT_LIST_DIR})
add_test(NAME metainfo_and_entry_validate
         COMMAND bash ${dist}/metainfo_test.sh ${PROJECT_SOURCE_DIR} ${PROJECT_VERSION})
add_test(NAME man_pages_render_cleanly
         COMMAND bash ${dist}/man_pages_test.sh ${PROJECT_SOURCE_DIR}/docs/man $<TARGET_FILE:sifter-cli> ${PROJECT_VERSION})
