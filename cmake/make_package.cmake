cmake_minimum_required(VERSION 3.20)
# Makes the release ZIP for Windows users from both builds:
#   x64/AIMP_Dislist/AIMP_Dislist.dll, x86/AIMP_Dislist/AIMP_Dislist.dll,
#   tools/dislist-log.exe (32-bit: it runs on either Windows), INSTALL.txt,
# and SHA256SUMS beside it (as `sha256sum -c` reads it). The same commit
# gives the same bytes in any folder: the entries go in a fixed order, with
# fixed modes, no owner or extra time fields, and the time of the commit.
# Run with -DX64_BIN=... -DX86_BIN=... -DSOURCE_DIR=... -DOUT_DIR=... -DVERSION=...
foreach(file ${X64_BIN}/AIMP_Dislist.dll ${X86_BIN}/AIMP_Dislist.dll ${X86_BIN}/dislist-log.exe)
  if(NOT EXISTS ${file})
    message(FATAL_ERROR "missing ${file}: build both presets (mingw and mingw-x86) first")
  endif()
endforeach()

include(${CMAKE_CURRENT_LIST_DIR}/commit_time.cmake)

set(stage ${OUT_DIR}/stage)
file(REMOVE_RECURSE ${stage})
set(entries x64/AIMP_Dislist/AIMP_Dislist.dll x86/AIMP_Dislist/AIMP_Dislist.dll tools/dislist-log.exe
            INSTALL.txt)
set(sources ${X64_BIN}/AIMP_Dislist.dll ${X86_BIN}/AIMP_Dislist.dll ${X86_BIN}/dislist-log.exe
            ${SOURCE_DIR}/packaging/INSTALL.txt)
foreach(entry source IN ZIP_LISTS entries sources)
  get_filename_component(folder ${stage}/${entry} DIRECTORY)
  file(COPY ${source} DESTINATION ${folder}
       FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endforeach()
# INSTALL.txt with Windows line ends (Notepad before Windows 10 shows LF ends
# as one long line), however the checkout ended its lines.
file(READ ${SOURCE_DIR}/packaging/INSTALL.txt install_text)
string(REPLACE "\r\n" "\n" install_text "${install_text}")
string(REPLACE "\n" "\r\n" install_text "${install_text}")
file(WRITE ${stage}/INSTALL.txt "${install_text}")
execute_process(COMMAND touch -d @${COMMIT_EPOCH} ${entries} WORKING_DIRECTORY ${stage} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot set the entries' time")
endif()

set(name AIMP_Dislist-${VERSION}-win.zip)
set(zip ${OUT_DIR}/${name})
file(REMOVE ${zip} ${OUT_DIR}/SHA256SUMS)
# -X: no owner or extended time fields; -D: no folder entries. Zip keeps
# local time, so the zone is fixed.
execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC zip -q -X -D ${zip} ${entries}
                WORKING_DIRECTORY ${stage} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot make ${zip} (is zip installed? scripts/setup.sh installs it)")
endif()
file(REMOVE_RECURSE ${stage})
file(SHA256 ${zip} digest)
file(WRITE ${OUT_DIR}/SHA256SUMS.part "${digest}  ${name}\n")
file(RENAME ${OUT_DIR}/SHA256SUMS.part ${OUT_DIR}/SHA256SUMS)
message(STATUS "package: ${zip}")
message(STATUS "SHA-256: ${digest}")
