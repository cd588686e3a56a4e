# tw_build_number(<variable> <source folder>)
#
# The third number of the package version: the number of commits up to HEAD
# of the git checkout whose top is <source folder>, so every commit makes a
# package that apt takes as newer than the one before. 0, with a note, where
# the folder is no git checkout of its own (an unpacked copy of the source,
# even inside another checkout) or git is missing.
#
# Read when CMake configures; the build configures again by itself once HEAD
# moves (a commit, a pull, a checkout), so the number is never stale.
function(tw_build_number out dir)
  set(${out} 0 PARENT_SCOPE)
  find_package(Git QUIET)
  if(NOT GIT_FOUND)
    if(EXISTS ${dir}/.git)
      message(WARNING "git not found: the package version of this checkout ends in .0, lower than any "
                      "built with git (scripts/deps.sh installs git)")
    else()
      message(STATUS "git not found: the package version ends in .0")
    endif()
    return()
  endif()
  # A checkout of another user's (root packaging a user's build) is still
  # read: configuring it runs its own CMake code anyway.
  set(git ${GIT_EXECUTABLE} -c safe.directory=* -C ${dir})
  execute_process(COMMAND ${git} rev-parse --show-toplevel --absolute-git-dir
                  RESULT_VARIABLE rc OUTPUT_VARIABLE where ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
  string(REPLACE "\n" ";" where "${where}")
  list(LENGTH where parts)
  if(NOT rc EQUAL 0 OR NOT parts EQUAL 2)
    message(STATUS "${dir} is no git checkout: the package version ends in .0")
    return()
  endif()
  list(GET where 0 top)
  list(GET where 1 gitdir)
  file(REAL_PATH "${top}" top)
  file(REAL_PATH "${dir}" here)
  if(NOT top STREQUAL here)
    message(STATUS "${dir} is no git checkout of its own: the package version ends in .0")
    return()
  endif()
  execute_process(COMMAND ${git} rev-list --count HEAD
                  RESULT_VARIABLE rc OUTPUT_VARIABLE count ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT rc EQUAL 0 OR NOT count MATCHES "^[0-9]+$")
    message(STATUS "${dir} has no commit yet: the package version ends in .0")
    return()
  endif()
  execute_process(COMMAND ${git} rev-parse --is-shallow-repository
                  OUTPUT_VARIABLE shallow ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(shallow STREQUAL "true")
    message(WARNING "${dir} is a shallow clone: the package version counts only the ${count} commits "
                    "fetched, and may be lower than an installed one. `git fetch --unshallow` fetches "
                    "the whole history.")
  endif()
  # HEAD, and the log of where it pointed, change with every commit, pull
  # and checkout.
  foreach(f HEAD logs/HEAD)
    if(EXISTS ${gitdir}/${f})
      set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${gitdir}/${f})
    endif()
  endforeach()
  set(${out} ${count} PARENT_SCOPE)
endfunction()
