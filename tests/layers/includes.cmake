# What the layer checks share: the includes of a source and where they lead.

# What the checks need of the source `file` under the folder `root`: its
# folder in <prefix>_DIR, its path below root in <prefix>_SHOWN, and the
# headers it includes, the quoted names in <prefix>_QUOTED and the angled ones
# in <prefix>_ANGLED.
function(read_includes file root prefix)
  file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include")
  set(quoted)
  set(angled)
  foreach(line ${lines})
    if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
      list(APPEND quoted ${CMAKE_MATCH_1})
    elseif(line MATCHES "#[ \t]*include[ \t]*<([^>]+)>")
      list(APPEND angled ${CMAKE_MATCH_1})
    endif()
  endforeach()
  get_filename_component(dir ${file} DIRECTORY)
  file(RELATIVE_PATH shown ${root} ${file})
  set(${prefix}_DIR ${dir} PARENT_SCOPE)
  set(${prefix}_SHOWN ${shown} PARENT_SCOPE)
  set(${prefix}_QUOTED ${quoted} PARENT_SCOPE)
  set(${prefix}_ANGLED ${angled} PARENT_SCOPE)
endfunction()

# The full path of the file `name` names in the first of the folders after
# `out` that holds it, as the compiler looks it up; empty when none does.
function(find_include name out)
  foreach(base ${ARGN})
    if(EXISTS ${base}/${name} AND NOT IS_DIRECTORY ${base}/${name})
      cmake_path(ABSOLUTE_PATH name BASE_DIRECTORY ${base} NORMALIZE OUTPUT_VARIABLE found)
      set(${out} ${found} PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${out} "" PARENT_SCOPE)
endfunction()
