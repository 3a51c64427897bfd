# The plot window kept as a PNG image (the console has no window to show it).
add_library(mc_platform_image STATIC
  png_encoder.cpp
  plot_image_file.cpp
)
target_include_directories(mc_platform_image PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(mc_platform_image PUBLIC mc_plots PNG::PNG)
modelcheck_target_options(mc_platform_image)
