# zodode_warnings(target): the project's warning set, errors under ZODODE_WERROR.
function(zodode_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${ZODODE_WERROR}>:/WX>)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic
                                             $<$<BOOL:${ZODODE_WERROR}>:-Werror>)
  endif()
endfunction()
