# The package version's third number, as tw_build_number reads it: the
# commits up to HEAD of a checkout, 0 for a folder that is no checkout of
# its own. Works in SCRATCH (emptied first) with GIT.
include(${ROOT}/cmake/BuildNumber.cmake)
file(REMOVE_RECURSE ${SCRATCH})
set(repo "${SCRATCH}/a checkout")
file(MAKE_DIRECTORY "${repo}/sub")

set(failures)
macro(fail text)
  list(APPEND failures "${text}")
endmacro()
macro(git)
  execute_process(COMMAND ${GIT} -C "${repo}" -c user.name=t -c user.email=t@t.invalid -c commit.gpgsign=false ${ARGN}
                  RESULT_VARIABLE grc OUTPUT_QUIET ERROR_VARIABLE gerr)
  if(NOT grc EQUAL 0)
    message(FATAL_ERROR "git ${ARGN}: ${gerr}")
  endif()
endmacro()
macro(expect dir want what)
  tw_build_number(n "${dir}")
  if(NOT n STREQUAL "${want}")
    fail("${what}: ${n}, expected ${want}")
  endif()
endmacro()

git(init -q)
expect("${repo}" 0 "a checkout without a commit")
foreach(i 1 2 3)
  file(WRITE "${repo}/file" "${i}\n")
  git(add file)
  git(commit -q -m "commit ${i}")
  expect("${repo}" ${i} "after commit ${i}")
endforeach()
# An unpacked copy of the source inside another checkout is not that
# checkout: its commits are not the source's.
expect("${repo}/sub" 0 "a folder inside a checkout")
git(checkout -q HEAD~1)
expect("${repo}" 2 "a checkout of the commit before")

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "build number:\n  ${text}")
endif()
message(STATUS "build numbers follow the commits")
