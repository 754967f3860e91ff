# floor_page.cmake: the floor program built as zelm is for the browser, in
# a site of its own (bench/site/) beside the page's, for make bench.
set(bench ${PROJECT_SOURCE_DIR}/bench)
add_executable(zelm_floor_page ${bench}/floor_main.c ${bench}/floor_core.c
               ${bench}/floor_panel.c ${bench}/floor_web.c)
target_include_directories(zelm_floor_page PRIVATE ${bench})
target_link_libraries(zelm_floor_page PRIVATE zelm_sdl)
set_target_properties(zelm_floor_page PROPERTIES OUTPUT_NAME zelm
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench/site)
configure_file(${bench}/floor_page.html ${CMAKE_BINARY_DIR}/bench/site/index.html
               COPYONLY)
