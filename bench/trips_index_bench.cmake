# Writes its card with the demo-card generator.
target_link_libraries(trips_index_bench PRIVATE tovik_trips)
target_compile_definitions(trips_index_bench PRIVATE
  TOVIK_DEMO_CARD_PROGRAM="$<TARGET_FILE:tovik-demo-card>")
add_dependencies(trips_index_bench tovik-demo-card)
