# The console's front-end: the terminal as dialogue window, a typed path as
# file chooser, the finished plot kept as a PNG image.
add_library(mc_platform_console STATIC
  ${CMAKE_CURRENT_LIST_DIR}/console_dialogue_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/console_file_chooser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/console_front_end.cpp
)
target_include_directories(mc_platform_console PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(mc_platform_console PUBLIC mc_dialogue mc_platform_image mc_text mc_errors)
modelcheck_target_options(mc_platform_console)

# The console program.
add_executable(modelcheck ${CMAKE_CURRENT_LIST_DIR}/console_main.cpp)
target_link_libraries(modelcheck PRIVATE mc_dialogue mc_platform_console)
modelcheck_target_options(modelcheck)
