# Stages the portable folder of the Windows game and writes the installer's
# file lists. Run as cmake -DSTAGE=... -DGAME_DIR=... -DGAME=... -DHEADLESS=... -DFACE=...
# -DLICENSES=... -DSOURCE_DIR=... -DVERSION=... -DSTRIP=... -P stage_package.cmake
#   STAGE/gulpkin.exe, gulpkin-headless.exe   the programs, stripped
#   STAGE/graph, font, wav, music             the asset pack
#   STAGE/DejaVuSans-Bold.ttf                 the text face
#   STAGE/README.txt, LICENSE.txt, licenses/  the read-me and the licences
# install_files.nsh and uninstall_files.nsh (in the working directory) name
# every staged file, so that the uninstaller removes exactly what the
# installer put in place and nothing of the player's; staged_size.nsh gives
# their size in KiB, for the size Windows shows in its list of programs.
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
foreach(program ${GAME} ${HEADLESS})
  get_filename_component(name ${program} NAME)
  execute_process(COMMAND ${STRIP} -o ${STAGE}/${name} ${program} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "cannot strip ${program}")
  endif()
endforeach()
foreach(folder graph font wav music)
  file(COPY ${GAME_DIR}/${folder} DESTINATION ${STAGE})
endforeach()
file(COPY ${FACE} DESTINATION ${STAGE})
# text files with Windows line ends, so that Notepad of any age shows them
function(copy_text from to)
  file(READ ${from} text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${to} "${text}")
endfunction()

configure_file(${CMAKE_CURRENT_LIST_DIR}/README.txt.in ${STAGE}/README.txt @ONLY NEWLINE_STYLE CRLF)
copy_text(${SOURCE_DIR}/LICENSE ${STAGE}/LICENSE.txt)
if(LICENSES)
  file(GLOB notices ${LICENSES}/*.txt)
  foreach(notice ${notices})
    get_filename_component(name ${notice} NAME)
    copy_text(${notice} ${STAGE}/licenses/${name})
  endforeach()
endif()

# Folders before their files when installing; files, then the emptied
# folders (deepest first) when uninstalling. RMDir without /r leaves a
# folder that still holds something the player put there.
file(GLOB_RECURSE staged LIST_DIRECTORIES false RELATIVE ${STAGE} ${STAGE}/*)
list(SORT staged)
set(install "")
set(uninstall "")
set(folders "")
set(current "-")
set(bytes 0)
foreach(path ${staged})
  file(SIZE "${STAGE}/${path}" size)
  math(EXPR bytes "${bytes} + ${size}")
  get_filename_component(folder "${path}" DIRECTORY)
  string(REPLACE "/" "\\" windows_path "${path}")
  string(REPLACE "/" "\\" windows_folder "${folder}")
  if(NOT folder STREQUAL current)
    string(APPEND install "SetOutPath \"$INSTDIR\\${windows_folder}\"\n")
    set(current "${folder}")
    if(folder)
      list(APPEND folders "${windows_folder}")
    endif()
  endif()
  string(APPEND install "File \"${STAGE}/${path}\"\n")
  string(APPEND uninstall "Delete \"$INSTDIR\\${windows_path}\"\n")
endforeach()
list(REMOVE_DUPLICATES folders)
list(SORT folders ORDER DESCENDING)
foreach(folder ${folders})
  string(APPEND uninstall "RMDir \"$INSTDIR\\${folder}\"\n")
endforeach()
file(WRITE install_files.nsh "${install}")
file(WRITE uninstall_files.nsh "${uninstall}")
math(EXPR kib "(${bytes} + 1023) / 1024")
file(WRITE staged_size.nsh "!define STAGED_KIB ${kib}\n")
