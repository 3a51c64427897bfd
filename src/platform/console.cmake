# The console realisation of the dialogue window and the file chooser.
add_library(mc_platform_console STATIC
  ${CMAKE_CURRENT_LIST_DIR}/console_dialogue_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/console_file_chooser.cpp
)
target_include_directories(mc_platform_console PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(mc_platform_console PUBLIC mc_errors)
modelcheck_target_options(mc_platform_console)
