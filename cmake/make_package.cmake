cmake_minimum_required(VERSION 3.20)
# Makes the release ZIP for Windows users from both builds:
#   x64/AIMP_Dislist/AIMP_Dislist.dll, x86/AIMP_Dislist/AIMP_Dislist.dll,
#   tools/dislist-log.exe (32-bit: it runs on either Windows), INSTALL.txt.
# Run with -DX64_BIN=... -DX86_BIN=... -DSOURCE_DIR=... -DOUT_DIR=... -DVERSION=...
foreach(file ${X64_BIN}/AIMP_Dislist.dll ${X86_BIN}/AIMP_Dislist.dll ${X86_BIN}/dislist-log.exe)
  if(NOT EXISTS ${file})
    message(FATAL_ERROR "missing ${file}: build both presets (mingw and mingw-x86) first")
  endif()
endforeach()
set(stage ${OUT_DIR}/stage)
file(REMOVE_RECURSE ${stage})
file(COPY ${X64_BIN}/AIMP_Dislist.dll DESTINATION ${stage}/x64/AIMP_Dislist)
file(COPY ${X86_BIN}/AIMP_Dislist.dll DESTINATION ${stage}/x86/AIMP_Dislist)
file(COPY ${X86_BIN}/dislist-log.exe DESTINATION ${stage}/tools)
file(COPY ${SOURCE_DIR}/packaging/INSTALL.txt DESTINATION ${stage})
set(zip ${OUT_DIR}/AIMP_Dislist-${VERSION}-win.zip)
file(REMOVE ${zip})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip x64 x86 tools INSTALL.txt
                WORKING_DIRECTORY ${stage} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot make ${zip}")
endif()
file(REMOVE_RECURSE ${stage})
message(STATUS "package: ${zip}")
