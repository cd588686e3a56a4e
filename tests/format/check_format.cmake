cmake_minimum_required(VERSION 3.25)
# Fails when a C++ source under src/, tests/, bench/ or tools/ of ROOT is not
# formatted as ROOT/.clang-format says, and names the files to run
# `clang-format -i` on. CLANG_FORMAT is the program.
set(files)
foreach(dir src tests bench tools)
  file(GLOB_RECURSE found LIST_DIRECTORIES false "${ROOT}/${dir}/*.cpp" "${ROOT}/${dir}/*.h")
  list(APPEND files ${found})
endforeach()
list(LENGTH files count)
if(count LESS 100)
  message(FATAL_ERROR "only ${count} sources found under ${ROOT}")
endif()

set(unformatted)
foreach(file ${files})
  execute_process(COMMAND ${CLANG_FORMAT} --dry-run -Werror --style=file ${file}
                  WORKING_DIRECTORY ${ROOT}
                  RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
  if(NOT rc EQUAL 0)
    file(RELATIVE_PATH shown ${ROOT} ${file})
    list(APPEND unformatted ${shown})
  endif()
endforeach()
if(unformatted)
  list(JOIN unformatted "\n  " text)
  message(FATAL_ERROR "not formatted as .clang-format says (run clang-format -i on them):\n  ${text}")
endif()
message(STATUS "${count} sources formatted as .clang-format says")
