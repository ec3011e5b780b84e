# SPDX-License-Identifier: GPL-3.0-or-later
# Warnings for the project's own targets (not for third-party code).
function(sifter_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                           -Wcast-align -Woverloaded-virtual -Wimplicit-fallthrough)
endfunction()
