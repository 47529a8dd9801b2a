# Makes the portable zip and the installer of one laid-out copy of the program
# (cmake -P, from the target `packages` of cmake/Packages.cmake):
#   PROGRAM_DIR  the program as laid out by the build (exe, Articles\, Help\)
#   STAGE_DIR    where the package's files are gathered, under the folder TandemoxDictionary
#   ZIP_FILE, SETUP_FILE   the packages to write
#   NSIS_ARCH    x86 or amd64; VERSION, ICON_FILE, INSTALLER_SCRIPT, MAKENSIS, SOURCE_DIR
# Each package is remade only when one of its inputs is newer than it, and written under a
# temporary name first, so a failed step never leaves a package that looks complete.
cmake_minimum_required(VERSION 3.21)

set(top ${STAGE_DIR}/TandemoxDictionary)
# Package path (relative to the top folder) and where it comes from.
set(files
  "TandemoxDictionary.exe|${PROGRAM_DIR}/TandemoxDictionary.exe"
  "Articles/Articles_English_Chinese.dat|${PROGRAM_DIR}/Articles/Articles_English_Chinese.dat"
  "Articles/Articles_Chinese_English.dat|${PROGRAM_DIR}/Articles/Articles_Chinese_English.dat"
  "Help/Help.EN.html|${PROGRAM_DIR}/Help/Help.EN.html"
  "LICENSE.txt|${SOURCE_DIR}/LICENSE"
  "CC-CEDICT-NOTICE.txt|${SOURCE_DIR}/data/CC-CEDICT-NOTICE.txt"
  "jieba-dict-NOTICE.txt|${SOURCE_DIR}/data/jieba-dict-NOTICE.txt"
  "word-data-NOTICE.txt|${SOURCE_DIR}/data/word-data-NOTICE.txt")

set(staged)
foreach(entry IN LISTS files)
  string(REPLACE "|" ";" parts "${entry}")
  list(GET parts 0 name)
  list(GET parts 1 source)
  if(NOT EXISTS ${source})
    message(FATAL_ERROR "packages: ${source} is missing; the program is not fully built")
  endif()
  get_filename_component(folder ${top}/${name} DIRECTORY)
  file(MAKE_DIRECTORY ${folder})
  file(COPY_FILE ${source} ${top}/${name} ONLY_IF_DIFFERENT)
  list(APPEND staged ${top}/${name})
endforeach()
# Nothing else goes into the packages: files left from an earlier layout are removed.
file(GLOB_RECURSE present LIST_DIRECTORIES false ${top}/*)
foreach(path IN LISTS present)
  if(NOT path IN_LIST staged)
    file(REMOVE ${path})
  endif()
endforeach()

function(out_of_date output result)
  set(${result} FALSE PARENT_SCOPE)
  foreach(input IN LISTS ARGN)
    if(NOT EXISTS ${output} OR ${input} IS_NEWER_THAN ${output})
      set(${result} TRUE PARENT_SCOPE)
      return()
    endif()
  endforeach()
endfunction()

get_filename_component(zip_dir ${ZIP_FILE} DIRECTORY)
file(MAKE_DIRECTORY ${zip_dir})
out_of_date(${ZIP_FILE} remake ${staged} ${CMAKE_CURRENT_LIST_FILE})
if(remake)
  file(REMOVE ${ZIP_FILE} ${ZIP_FILE}.part)
  # Stored in name order, so the same files make the same listing.
  list(SORT staged)
  set(relative)
  foreach(path IN LISTS staged)
    file(RELATIVE_PATH name ${STAGE_DIR} ${path})
    list(APPEND relative ${name})
  endforeach()
  execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP_FILE}.part --format=zip ${relative}
                  WORKING_DIRECTORY ${STAGE_DIR} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "packages: writing ${ZIP_FILE} failed")
  endif()
  file(RENAME ${ZIP_FILE}.part ${ZIP_FILE})
endif()

out_of_date(${SETUP_FILE} remake ${staged} ${INSTALLER_SCRIPT} ${ICON_FILE} ${CMAKE_CURRENT_LIST_FILE})
if(remake)
  file(REMOVE ${SETUP_FILE} ${SETUP_FILE}.part)
  execute_process(COMMAND ${MAKENSIS} -V2 -INPUTCHARSET UTF8
                    -DARCH=${NSIS_ARCH} -DVERSION=${VERSION}
                    -DSTAGE_DIR=${top} -DICON_FILE=${ICON_FILE} -DOUT_FILE=${SETUP_FILE}.part
                    ${INSTALLER_SCRIPT}
                  RESULT_VARIABLE failed)
  if(failed)
    file(REMOVE ${SETUP_FILE}.part)
    message(FATAL_ERROR "packages: makensis failed for ${SETUP_FILE}")
  endif()
  file(RENAME ${SETUP_FILE}.part ${SETUP_FILE})
endif()

foreach(package ${ZIP_FILE} ${SETUP_FILE})
  file(SIZE ${package} size)
  math(EXPR kib "(${size} + 1023) / 1024")
  message(STATUS "packages: ${package}: ${size} bytes (${kib} KiB)")
endforeach()
