# GUI sources in doc/, pane/, results/, frame/ and app/.
target_sources(sifter_gui PRIVATE
  doc/document_title.cpp doc/document_title.h
  doc/sifter_doc.cpp doc/sifter_doc.h
  pane/browse_for_folder.cpp pane/browse_for_folder.h
  pane/field_size_validator.cpp pane/field_size_validator.h
  pane/history_box.cpp pane/history_box.h
  pane/left_view.cpp pane/left_view.h
  pane/criteria_panel.cpp pane/criteria_panel.h
  pane/word_options_panel.cpp pane/word_options_panel.h
  pane/file_size_panel.cpp pane/file_size_panel.h
  pane/date_time_panel.cpp pane/date_time_panel.h
  pane/attributes_panel.cpp pane/attributes_panel.h
  pane/criteria_panels.cpp pane/criteria_panels.h
  pane/search_command.cpp
  results/results_model.cpp results/results_model.h
  results/column_layout.cpp results/column_layout.h
  results/results_views.cpp results/results_views.h
  results/sifter_view.cpp results/sifter_view.h
  results/view_commands.cpp results/view_commands.h
  results/item_description.cpp results/item_description.h
  results/row_icon_cache.cpp results/row_icon_cache.h
  results/hex_lines.cpp results/hex_lines.h
  results/hex_view_pane.cpp results/hex_view_pane.h
  results/hex_view_dialog.cpp results/hex_view_dialog.h
  results/file_command_guard.cpp results/file_command_guard.h
  results/file_url.cpp results/file_url.h
  results/selection_data.cpp results/selection_data.h
  results/desktop_file_manager.cpp results/desktop_file_manager.h
  results/desktop_portal.cpp results/desktop_portal.h
  results/open_with_dialog.cpp results/open_with_dialog.h
  results/properties_dialog.cpp results/properties_dialog.h
  results/transfer_progress_dialog.cpp results/transfer_progress_dialog.h
  frame/banner.cpp frame/banner.h
  frame/banner_status_bar.cpp frame/banner_status_bar.h
  frame/static_splitter.cpp frame/static_splitter.h
  frame/about_dialog.cpp frame/about_dialog.h
  frame/options_desktop.h
  frame/options_dialog.cpp frame/options_dialog.h
  frame/user_desktop.cpp frame/user_desktop.h
  frame/main_frame.cpp frame/main_frame.h
  frame/file_commands.cpp frame/file_commands.h
  frame/clipboard_commands.cpp frame/clipboard_commands.h
  frame/transfer_commands.cpp frame/transfer_commands.h
  frame/open_with.cpp frame/open_with.h
  app/command_line.cpp app/command_line.h
  app/sifter_app.cpp app/sifter_app.h
)
