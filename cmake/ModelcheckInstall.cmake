# The engine as a package others build against: the five static libraries,
# the public headers and a CMake package, so that a program outside the
# tree writes find_package(modelcheck) and links modelcheck::engine (one
# check) or modelcheck::scan (a grid of checks with their baselines).

# Names as consumers see them, both after find_package and when this tree
# is added with add_subdirectory.
set_target_properties(modelcheck_text PROPERTIES EXPORT_NAME text)
set_target_properties(modelcheck_errors PROPERTIES EXPORT_NAME errors)
set_target_properties(modelcheck_linalg PROPERTIES EXPORT_NAME linalg)
set_target_properties(modelcheck_engine PROPERTIES EXPORT_NAME engine)
set_target_properties(modelcheck_scan PROPERTIES EXPORT_NAME scan)
add_library(modelcheck::engine ALIAS modelcheck_engine)
add_library(modelcheck::scan ALIAS modelcheck_scan)

# engine.h uses std::span: whoever includes it compiles as C++20 at least.
target_compile_features(modelcheck_engine PUBLIC cxx_std_20)

# Instrumented archives leave references to the sanitizer runtimes that only
# a program linked with the same flags resolves.
if(MODELCHECK_SANITIZE)
  foreach(library IN ITEMS modelcheck_text modelcheck_errors modelcheck_linalg modelcheck_engine modelcheck_scan)
    target_link_options(${library} INTERFACE -fsanitize=address,undefined)
  endforeach()
endif()
if(MODELCHECK_THREAD_SANITIZE)
  foreach(library IN ITEMS modelcheck_text modelcheck_errors modelcheck_linalg modelcheck_engine modelcheck_scan)
    target_link_options(${library} INTERFACE -fsanitize=thread)
  endforeach()
endif()

if(NOT MODELCHECK_INSTALL)
  return()
endif()

include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(modelcheck_package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/modelcheck)

install(TARGETS modelcheck_text modelcheck_errors modelcheck_linalg modelcheck_engine modelcheck_scan
        EXPORT modelcheckTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
# The programs, where this build made them; a build of the libraries alone
# installs the libraries alone.
foreach(program IN ITEMS modelcheck modelcheck-batch modelcheck-gui)
  if(TARGET ${program})
    install(TARGETS ${program} OPTIONAL RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/src/engine/public/modelcheck/engine.h
              ${PROJECT_SOURCE_DIR}/src/engine/public/modelcheck/prepared_training.h
              ${PROJECT_SOURCE_DIR}/src/engine/public/modelcheck/settings_ranges.h
              ${PROJECT_SOURCE_DIR}/src/scan/public/modelcheck/scan.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/modelcheck)
install(EXPORT modelcheckTargets
        NAMESPACE modelcheck::
        DESTINATION ${modelcheck_package_dir})

configure_package_config_file(
  ${CMAKE_CURRENT_LIST_DIR}/modelcheckConfig.cmake.in
  ${PROJECT_BINARY_DIR}/modelcheckConfig.cmake
  INSTALL_DESTINATION ${modelcheck_package_dir})
# Before 1.0 a minor version may change the interface.
write_basic_package_version_file(
  ${PROJECT_BINARY_DIR}/modelcheckConfigVersion.cmake
  VERSION ${PROJECT_VERSION}
  COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/modelcheckConfig.cmake
              ${PROJECT_BINARY_DIR}/modelcheckConfigVersion.cmake
        DESTINATION ${modelcheck_package_dir})
