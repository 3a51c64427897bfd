# Whether a chosen path can be read as a series file: the console's file
# chooser and the batch program both ask it.
add_library(mc_platform_readable_file STATIC ${CMAKE_CURRENT_LIST_DIR}/readable_file.cpp)
target_include_directories(mc_platform_readable_file PUBLIC ${PROJECT_SOURCE_DIR}/src)
modelcheck_target_options(mc_platform_readable_file)

# The console realisation of the platform: the terminal as dialogue window,
# a typed path as file chooser, the finished plot kept as a PNG image, and
# the process exit. An object library, so that whichever program links it
# gets every definition, whatever the order of the static libraries.
add_library(mc_platform_console OBJECT
  ${CMAKE_CURRENT_LIST_DIR}/configure_main_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/console_dialogue_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/console_file_chooser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/console_main_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/console_plot_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/console_program_exit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/console_status_view.cpp
)
target_include_directories(mc_platform_console PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(mc_platform_console PUBLIC mc_platform_readable_file mc_platform_image mc_plots mc_errors)
modelcheck_target_options(mc_platform_console)

# The console program.
add_executable(modelcheck ${CMAKE_CURRENT_LIST_DIR}/console_main.cpp)
target_link_libraries(modelcheck PRIVATE mc_dialogue mc_platform_console)
modelcheck_target_options(modelcheck)
