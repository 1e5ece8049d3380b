# Every target of the project compiles with the same warnings; a library adds them with
# albora_warnings(target).
function(albora_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wsuggest-override -Wnon-virtual-dtor
    -Wimplicit-fallthrough)
endfunction()
