cmake_minimum_required(VERSION 3.25)
# Fails when a source folder under SOURCE_ROOT includes a header of a folder
# above it. LAYERS lists the layers from the bottom up, each a comma-separated
# list of folders; a source may include its own layer and those below it. An
# include is a header of a folder when it names a file under SOURCE_ROOT:
# quoted ones looked up beside the file, then under SOURCE_ROOT; angled ones
# under SOURCE_ROOT. Other headers (Qt, the system, generated ones) are free.
# Every folder under SOURCE_ROOT must stand in a layer.
include(${CMAKE_CURRENT_LIST_DIR}/includes.cmake)
set(failures)
# rank_of_<folder>: the number of the folder's layer, 0 at the bottom.
set(folders)
set(rank 0)
foreach(layer ${LAYERS})
  string(REPLACE "," ";" members "${layer}")
  foreach(folder ${members})
    set(rank_of_${folder} ${rank})
    list(APPEND folders ${folder})
  endforeach()
  math(EXPR rank "${rank} + 1")
endforeach()
if(rank LESS 2)
  message(FATAL_ERROR "fewer than two layers given: ${LAYERS}")
endif()

file(GLOB entries LIST_DIRECTORIES true RELATIVE ${SOURCE_ROOT} ${SOURCE_ROOT}/*)
foreach(entry ${entries})
  if(IS_DIRECTORY ${SOURCE_ROOT}/${entry} AND NOT entry IN_LIST folders)
    list(APPEND failures "src/${entry} stands in no layer")
  endif()
endforeach()

# Judges the include `name` of the source inc_SHOWN in `folder`, which leads to
# the file `found` (empty: none of the sources).
macro(judge name found)
  if(NOT "${found}" STREQUAL "")
    file(RELATIVE_PATH target ${SOURCE_ROOT} ${found})
    string(REGEX MATCH "^[^/]+" owner "${target}")
    if(target MATCHES "^\\.\\./" OR target STREQUAL owner OR NOT DEFINED rank_of_${owner})
      list(APPEND failures "${inc_SHOWN} includes \"${name}\", which stands in no layer")
    elseif(rank_of_${owner} GREATER rank_of_${folder})
      list(APPEND failures "${inc_SHOWN} includes \"${name}\" of src/${owner}, a layer above src/${folder}")
    endif()
    math(EXPR checked "${checked} + 1")
  endif()
endmacro()

set(checked 0)
foreach(folder ${folders})
  file(GLOB_RECURSE sources ${SOURCE_ROOT}/${folder}/*.h ${SOURCE_ROOT}/${folder}/*.cpp)
  if(NOT sources)
    list(APPEND failures "src/${folder} holds no sources: the check looked in the wrong place")
  endif()
  foreach(file ${sources})
    read_includes(${file} ${SOURCE_ROOT} inc)
    foreach(name ${inc_QUOTED})
      find_include(${name} found ${inc_DIR} ${SOURCE_ROOT})
      judge(${name} "${found}")
    endforeach()
    foreach(name ${inc_ANGLED})
      find_include(${name} found ${SOURCE_ROOT})
      judge(${name} "${found}")
    endforeach()
  endforeach()
endforeach()

if(checked EQUAL 0)
  list(APPEND failures "no include named a source: the check looked in the wrong place")
endif()
if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "a folder includes one above it:\n  ${text}")
endif()
message(STATUS "${checked} includes of the sources keep the layers ${LAYERS}")
