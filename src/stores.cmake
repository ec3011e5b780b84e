# Sources of the non-GUI stores in doc/, frame/, pane/ and results/ (GUI files there go to gui.cmake).
target_sources(sifter_stores PRIVATE
)
