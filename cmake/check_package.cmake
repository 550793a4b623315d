cmake_minimum_required(VERSION 3.20)
# Builds the release ZIP with cpack, unpacks it and checks its layout and the
# packaged library's tables. Run with -DBINARY_DIR=... -DOBJDUMP=... -DVERSION=...
execute_process(COMMAND ${CMAKE_CPACK_COMMAND} -G ZIP --config ${BINARY_DIR}/CPackConfig.cmake
                WORKING_DIRECTORY ${BINARY_DIR} RESULT_VARIABLE failed OUTPUT_QUIET)
if(failed)
  message(FATAL_ERROR "cpack failed")
endif()
set(zip ${BINARY_DIR}/package/AIMP_Dislist-${VERSION}-win64.zip)
if(NOT EXISTS ${zip})
  message(FATAL_ERROR "no package at ${zip}")
endif()

set(unpacked ${BINARY_DIR}/package/unpacked)
file(REMOVE_RECURSE ${unpacked})
file(MAKE_DIRECTORY ${unpacked})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${zip} WORKING_DIRECTORY ${unpacked}
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot unpack ${zip}")
endif()

file(GLOB_RECURSE found RELATIVE ${unpacked} ${unpacked}/*)
list(SORT found)
set(expected "AIMP_Dislist/AIMP_Dislist.dll;INSTALL.txt")
if(NOT found STREQUAL expected)
  message(FATAL_ERROR "package holds '${found}', expected '${expected}'")
endif()
file(READ ${unpacked}/INSTALL.txt text)
if(NOT text MATCHES "C:\\\\AIMPPlugin" OR NOT text MATCHES "Plugins")
  message(FATAL_ERROR "INSTALL.txt does not say where the folder goes and that C:\\AIMPPlugin is needed")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${OBJDUMP} -DDLL=${unpacked}/AIMP_Dislist/AIMP_Dislist.dll
                        -P ${CMAKE_CURRENT_LIST_DIR}/check_dll_tables.cmake RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "the packaged DLL failed its table check")
endif()
file(SIZE ${zip} size)
message(STATUS "package: ${zip} (${size} bytes): ${found}")
