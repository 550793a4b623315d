cmake_minimum_required(VERSION 3.20)
# Unpacks the release ZIP and checks every entry: the two plug-in folders,
# each library of its own machine type exporting only the plain
# AIMPPluginGetHeader and importing only system libraries, the log tool,
# and the install text; and the digest that SHA256SUMS beside it gives.
# Run with -DZIP=... -DOBJDUMP=...
# objdump's messages are parsed: untranslated, whatever the caller's locale.
set(ENV{LC_ALL} C)
unset(ENV{LANGUAGE})
if(NOT EXISTS ${ZIP})
  message(FATAL_ERROR "no package at ${ZIP}")
endif()
get_filename_component(folder ${ZIP} DIRECTORY)
get_filename_component(name ${ZIP} NAME)
file(SHA256 ${ZIP} digest)
if(NOT EXISTS ${folder}/SHA256SUMS)
  message(FATAL_ERROR "no SHA256SUMS beside ${ZIP}")
endif()
file(READ ${folder}/SHA256SUMS sums)
if(NOT sums STREQUAL "${digest}  ${name}\n")
  message(FATAL_ERROR "SHA256SUMS says '${sums}', the package's digest is ${digest}")
endif()
set(unpacked ${folder}/unpacked)
file(REMOVE_RECURSE ${unpacked})
file(MAKE_DIRECTORY ${unpacked})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${ZIP} WORKING_DIRECTORY ${unpacked}
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot unpack ${ZIP}")
endif()

file(GLOB_RECURSE found RELATIVE ${unpacked} ${unpacked}/*)
list(SORT found)
set(expected "INSTALL.txt;tools/dislist-log.exe;x64/AIMP_Dislist/AIMP_Dislist.dll;x86/AIMP_Dislist/AIMP_Dislist.dll")
if(NOT found STREQUAL expected)
  message(FATAL_ERROR "package holds '${found}', expected '${expected}'")
endif()

file(READ ${unpacked}/INSTALL.txt text)
foreach(needed "C:\\\\AIMPPlugin" "Plugins" "Program Files \\(x86\\)" "x64\\\\AIMP_Dislist"
               "x86\\\\AIMP_Dislist" "dislist-log")
  if(NOT text MATCHES "${needed}")
    message(FATAL_ERROR "INSTALL.txt does not mention ${needed}")
  endif()
endforeach()

foreach(pair "x64/AIMP_Dislist/AIMP_Dislist.dll=pei-x86-64" "x86/AIMP_Dislist/AIMP_Dislist.dll=pei-i386")
  string(REPLACE "=" ";" pair "${pair}")
  list(GET pair 0 dll)
  list(GET pair 1 format)
  execute_process(COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${OBJDUMP} -DDLL=${unpacked}/${dll} -DFORMAT=${format}
                          -P ${CMAKE_CURRENT_LIST_DIR}/check_dll_tables.cmake RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "the packaged ${dll} failed its check")
  endif()
endforeach()
execute_process(COMMAND ${OBJDUMP} -f ${unpacked}/tools/dislist-log.exe OUTPUT_VARIABLE dump)
if(NOT dump MATCHES "file format pei-i386")
  message(FATAL_ERROR "tools/dislist-log.exe is not a 32-bit Windows program")
endif()
file(REMOVE_RECURSE ${unpacked})
file(SIZE ${ZIP} size)
message(STATUS "package: ${ZIP} (${size} bytes, SHA-256 ${digest}): ${found}")
