# Shared by both MinGW-w64 toolchain files, which set CMAKE_SYSTEM_PROCESSOR
# and TOOLCHAIN_PREFIX first: Debian's cross compilers (posix threads
# flavour), and the programs they make run under Wine.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${TOOLCHAIN_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TOOLCHAIN_PREFIX}-windres)
set(CMAKE_OBJDUMP ${TOOLCHAIN_PREFIX}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# ctest and test discovery run Windows executables through this wrapper, in
# the build's own throwaway Wine prefix, made on first use.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh --prefix=${CMAKE_BINARY_DIR}/wineprefix
    --machine=${CMAKE_SYSTEM_PROCESSOR})
