# One place for the flags every target of the project gets.
# -ffp-contract=off keeps printed figures identical on every machine: no fused
# multiply-add may change the rounding of the order of operations we wrote.
function(modelcheck_target_options target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Werror -ffp-contract=off)
  if(MODELCHECK_SANITIZE)
    target_compile_options(${target} PRIVATE
      -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()
