# The drives panel of the window, offscreen; writes its card with the demo-card generator.
target_link_libraries(trips_fill_bench PRIVATE tovik_viewer)
target_compile_definitions(trips_fill_bench PRIVATE
  TOVIK_DEMO_CARD_PROGRAM="$<TARGET_FILE:tovik-demo-card>")
add_dependencies(trips_fill_bench tovik-demo-card)
