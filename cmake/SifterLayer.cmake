# SPDX-License-Identifier: GPL-3.0-or-later
# sifter_layer(<link arguments>): the calling folder's files as one static library,
# sifter_<folder>, so that a file's folder tells its layer. A main.cpp is left out: it is
# the folder's program, built by its own CMakeLists.txt. The arguments are the folder's
# dependencies, as target_link_libraries takes them.
function(sifter_layer)
  get_filename_component(folder "${CMAKE_CURRENT_SOURCE_DIR}" NAME)
  file(GLOB sources CONFIGURE_DEPENDS *.cpp *.h)
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  add_library(sifter_${folder} STATIC ${sources})
  target_include_directories(sifter_${folder} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(sifter_${folder} ${ARGN})
  sifter_warnings(sifter_${folder})
endfunction()
