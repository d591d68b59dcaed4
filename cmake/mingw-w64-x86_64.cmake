# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (the posix thread model, which Qt needs).
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_PREFIX_PATH=<Qt for Windows> ...
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KALTRIX_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KALTRIX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KALTRIX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KALTRIX_MINGW_TRIPLE}-windres)

# Look for libraries and headers only in the MinGW root and the prefixes given, never on the host;
# programs (moc, rcc, the host Qt's tools) come from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${KALTRIX_MINGW_TRIPLE})
if(CMAKE_PREFIX_PATH)
    list(APPEND CMAKE_FIND_ROOT_PATH ${CMAKE_PREFIX_PATH})
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
