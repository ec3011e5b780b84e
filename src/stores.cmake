# Sources of the non-GUI stores in doc/, frame/, pane/ and results/ (GUI files there go to gui.cmake).
target_sources(sifter_stores PRIVATE
  doc/byte_stream.cpp doc/byte_stream.h
  doc/result_file.cpp doc/result_file.h
  results/file_texts.cpp results/file_texts.h
  results/row_sorting.cpp results/row_sorting.h
  frame/layout_settings.cpp frame/layout_settings.h
  frame/shell_registration.cpp frame/shell_registration.h
  pane/search_history.cpp pane/search_history.h pane/string_enumerator.h
)
