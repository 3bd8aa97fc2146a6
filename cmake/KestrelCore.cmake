# The Qt-free core. Every library defined under a core folder (and its
# subfolders) belongs to kestrel_core and is checked for Qt includes, so a new
# library joins both by being defined there; no list names the libraries.

# kestrel_forbid_qt(target): a Qt include in any source of the target or any
# header of its folder fails the configure step with the file's name (the
# core's targets also get no Qt include path, so it would fail to compile).
function(kestrel_forbid_qt target)
  get_target_property(sources ${target} SOURCES)
  get_target_property(dir ${target} SOURCE_DIR)
  file(GLOB headers "${dir}/*.h" "${dir}/*.hpp")
  foreach(src IN LISTS sources headers)
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

# kestrel_libraries_under(dir out): the static libraries defined in `dir`
# and in the folders below it that were added with add_subdirectory.
function(kestrel_libraries_under dir out)
  set(found)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "STATIC_LIBRARY")
      list(APPEND found ${target})
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    kestrel_libraries_under(${subdir} below)
    list(APPEND found ${below})
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()
