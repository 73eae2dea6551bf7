# Draws the drive-information tab offscreen.
target_link_libraries(flash_data_table_bench PRIVATE tovik_settings)
set_target_properties(flash_data_table_bench PROPERTIES AUTOUIC_SEARCH_PATHS ${CMAKE_SOURCE_DIR}/src/settings)
