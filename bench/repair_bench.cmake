# A small program rather than a Google Benchmark loop: one recovery takes about a second.
target_link_libraries(repair_bench PRIVATE tovik_repair Qt6::Core)
