# Checks that every folder of the game includes only its own folder and the
# floors below it. Run as: cmake -DSOURCE_DIR=... -P include_floors.cmake
# The floors, lowest first; a file may include its own floor and lower ones.
# The seam's own headers are the platform's lowest floor, its parts above.
set(floors platform platform/files platform/text platform/signals platform/journal platform/headless platform/sdl pictures sound input settings core board ghosts presentation shell tools)

# A file's floor is the longest floor its path starts with, so that a
# folder's subfolders can be floors of their own above it.
function(floor_of path out)
  set(found -1)
  set(found_length 0)
  set(index 0)
  foreach(floor ${floors})
    string(LENGTH "${floor}/" length)
    string(SUBSTRING "${path}" 0 ${length} head)
    if(head STREQUAL "${floor}/" AND length GREATER found_length)
      set(found ${index})
      set(found_length ${length})
    endif()
    math(EXPR index "${index} + 1")
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

set(files "")
foreach(floor ${floors})
  file(GLOB_RECURSE found RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${floor}/*.h ${SOURCE_DIR}/${floor}/*.cpp)
  list(APPEND files ${found})
endforeach()
list(REMOVE_DUPLICATES files)

set(faults "")
foreach(file ${files})
  floor_of(${file} own)
  file(STRINGS ${SOURCE_DIR}/${file} includes REGEX "^#include \"")
  foreach(line ${includes})
    string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" included "${line}")
    floor_of(${included} other)
    if(other GREATER own)
      string(APPEND faults "${file} looks up at ${included}\n")
    endif()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "Includes that look up a floor:\n${faults}")
endif()
