# Compiler warnings and sanitizers shared by every Kestrel target.
add_library(kestrel_warnings INTERFACE)
target_compile_options(kestrel_warnings INTERFACE -Wall -Wextra -Wpedantic)
if(KESTREL_WERROR)
  target_compile_options(kestrel_warnings INTERFACE -Werror)
endif()
if(KESTREL_SANITIZE)
  target_compile_options(kestrel_warnings INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(kestrel_warnings INTERFACE -fsanitize=address,undefined)
endif()
# The fuzzing build: coverage feedback for libFuzzer in every library, and the
# sanitizers that turn a read past a buffer or undefined arithmetic into a
# crash the fuzzer reports.
if(KESTREL_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "KESTREL_FUZZ needs clang (CXX=clang++)")
  endif()
  target_compile_options(kestrel_warnings INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
    -fno-omit-frame-pointer)
  target_link_options(kestrel_warnings INTERFACE -fsanitize=address,undefined)
endif()
