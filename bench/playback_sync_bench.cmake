# Needs a display with OpenGL (run under xvfb-run): the views are read back.
target_link_libraries(playback_sync_bench PRIVATE tovik_ui)
target_compile_definitions(playback_sync_bench PRIVATE
  TOVIK_DEMO_CARD_PROGRAM="$<TARGET_FILE:tovik-demo-card>")
add_dependencies(playback_sync_bench tovik-demo-card)
