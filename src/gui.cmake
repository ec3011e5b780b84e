# GUI sources in doc/, pane/, results/, frame/ and app/.
target_sources(sifter_gui PRIVATE
)
