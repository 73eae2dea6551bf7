# Needs a display with OpenGL (run under xvfb-run): the views are read back.
target_link_libraries(playback_sync_bench PRIVATE tovik_viewer Qt6::Test)
target_compile_definitions(playback_sync_bench PRIVATE
  TOVIK_DEMO_CARD_PROGRAM="$<TARGET_FILE:tovik-demo-card>")
add_dependencies(playback_sync_bench tovik-demo-card)
# It reads the two video views out of the main window's form.
set_target_properties(playback_sync_bench PROPERTIES AUTOUIC_SEARCH_PATHS ${CMAKE_SOURCE_DIR}/src/viewer)
