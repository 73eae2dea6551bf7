# Writes a 1080p demo card with the generator, then exports from it.
target_link_libraries(export_bench PRIVATE tovik_export Qt6::Gui)
target_compile_definitions(export_bench PRIVATE
  TOVIK_DEMO_CARD_PROGRAM="$<TARGET_FILE:tovik-demo-card>")
add_dependencies(export_bench tovik-demo-card)
