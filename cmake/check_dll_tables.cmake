cmake_minimum_required(VERSION 3.20)
# Checks a built AIMP_Dislist.dll: it must export AIMPPluginGetHeader and
# nothing else, and import only Windows system libraries, since the player's
# machine has no compiler runtime; with -DFORMAT=pei-x86-64 or pei-i386 it
# must be of that machine type. Run with -DOBJDUMP=... -DDLL=... [-DFORMAT=...]
# objdump's messages are parsed: untranslated, whatever the caller's locale.
set(ENV{LC_ALL} C)
unset(ENV{LANGUAGE})
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "objdump could not read ${DLL}")
endif()

if(FORMAT AND NOT dump MATCHES "file format ${FORMAT}\n")
  message(FATAL_ERROR "${DLL} is not of the format ${FORMAT}")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
if(NOT imports)
  message(FATAL_ERROR "no import table found in ${DLL}")
endif()
set(system kernel32.dll user32.dll msvcrt.dll ucrtbase.dll advapi32.dll ntdll.dll)
foreach(line IN LISTS imports)
  string(REPLACE "DLL Name: " "" name "${line}")
  string(STRIP "${name}" name)
  string(TOLOWER "${name}" lower)
  if(NOT lower IN_LIST system AND NOT lower MATCHES "^api-ms-win-")
    message(FATAL_ERROR "${DLL} imports ${name}, which a clean Windows does not have")
  endif()
  message(STATUS "import: ${name}")
endforeach()

# The exported names are listed after "[Ordinal/Name Pointer] Table", one
# "[   N] Name" row each, up to the next blank line.
string(FIND "${dump}" "[Ordinal/Name Pointer] Table" at)
if(at EQUAL -1)
  message(FATAL_ERROR "no export table found in ${DLL}")
endif()
string(SUBSTRING "${dump}" ${at} -1 tail)
string(FIND "${tail}" "\n\n" stop)
string(SUBSTRING "${tail}" 0 ${stop} table)
string(REGEX MATCHALL "\\[[ 0-9]+\\] [^\n]+" exports "${table}")
set(names "")
foreach(line IN LISTS exports)
  if(line MATCHES "\\] ([A-Za-z_][A-Za-z0-9_@]*)$")
    list(APPEND names "${CMAKE_MATCH_1}")
  endif()
endforeach()
if(NOT names STREQUAL "AIMPPluginGetHeader")
  message(FATAL_ERROR "${DLL} must export exactly AIMPPluginGetHeader, exports: '${names}'")
endif()
message(STATUS "export: ${names}")
