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

# kestrel_core never sees Qt: its targets get no Qt include path, so a Qt
# header there fails to compile. This check names the file at configure time.
function(kestrel_forbid_qt target)
  get_target_property(sources ${target} SOURCES)
  get_target_property(dir ${target} SOURCE_DIR)
  foreach(src IN LISTS sources)
    if(NOT IS_ABSOLUTE "${src}")
      set(src "${dir}/${src}")
    endif()
    if(EXISTS "${src}")
      file(STRINGS "${src}" qt_lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Qt|Q[A-Z])")
      if(qt_lines)
        message(FATAL_ERROR "${src} includes Qt, but ${target} is part of the Qt-free core")
      endif()
    endif()
  endforeach()
endfunction()
