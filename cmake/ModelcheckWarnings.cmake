# One place for the flags every target of the project gets.
# -ffp-contract=off keeps printed figures identical on every machine: no fused
# multiply-add may change the rounding of the order of operations we wrote.
function(modelcheck_target_options target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wold-style-cast -ffp-contract=off)
  if(MODELCHECK_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  # GCC 12 reports a false -Wrestrict overlap for "literal" + std::string
  # at -O3 (fixed in GCC 13); it would fail Release builds under -Werror.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  # Coverage for the fuzzers in every library they reach.
  if(MODELCHECK_BUILD_FUZZERS)
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
  endif()
  if(MODELCHECK_SANITIZE)
    target_compile_options(${target} PRIVATE
      -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer
      # Bounds checks on spans and vectors too: an index past a view is caught
      # even where it stays inside the allocation that ASan watches.
      -D_GLIBCXX_ASSERTIONS)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
  if(MODELCHECK_THREAD_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=thread -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=thread)
  endif()
endfunction()

# The numerical libraries are built at -O3 in the optimised builds: it lets
# the element-wise kernels (copy, scale, a*x + y) use vector instructions,
# which changes no bit, since without -ffast-math no sum is reordered and
# -ffp-contract=off forbids fused operations.
function(modelcheck_numeric_target target)
  target_compile_options(${target} PRIVATE $<$<CONFIG:RelWithDebInfo>:-O3>)
endfunction()
