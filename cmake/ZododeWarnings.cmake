# zodode_warnings(target [STRICT]): the project's warning set, errors under
# ZODODE_WERROR; STRICT adds the conversion and shadowing warnings (the library
# and the tool). It also applies the sanitizers ZODODE_SANITIZE names, so every
# target of the project is built alike.
function(zodode_warnings target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "STRICT" "" "")
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${ZODODE_WERROR}>:/WX>)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic
                                             $<$<BOOL:${ZODODE_WERROR}>:-Werror>)
    if(arg_STRICT)
      target_compile_options(${target} PRIVATE -Wconversion -Wshadow)
    endif()
  endif()
  zodode_sanitize(${target})
endfunction()

# zodode_sanitize(target): compiles and links target with the sanitizers of
# ZODODE_SANITIZE ("address,undefined", "thread"; empty for none).
function(zodode_sanitize target)
  if(ZODODE_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=${ZODODE_SANITIZE}
                           -fno-omit-frame-pointer -fno-sanitize-recover=all)
    target_link_options(${target} PRIVATE -fsanitize=${ZODODE_SANITIZE})
  endif()
endfunction()
