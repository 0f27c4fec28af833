# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 compilers (the
# POSIX thread model, which C++20's threads need). The libraries built by
# windows/build_libraries.sh are found under GULPKIN_WINDOWS_PREFIX; programs
# built here run under Wine when a test or the build must start them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(GULPKIN_MINGW x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${GULPKIN_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${GULPKIN_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${GULPKIN_MINGW}-windres)
set(CMAKE_AR ${GULPKIN_MINGW}-gcc-ar-posix CACHE FILEPATH "archiver")
set(CMAKE_RANLIB ${GULPKIN_MINGW}-gcc-ranlib-posix CACHE FILEPATH "archive indexer")

# the prefix travels to try_compile projects too
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES GULPKIN_WINDOWS_PREFIX)
if(NOT GULPKIN_WINDOWS_PREFIX AND DEFINED ENV{GULPKIN_WINDOWS_PREFIX})
  set(GULPKIN_WINDOWS_PREFIX $ENV{GULPKIN_WINDOWS_PREFIX})
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${GULPKIN_MINGW} ${GULPKIN_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config reads only the cross-built libraries, and lists what a static
# link needs besides them
if(GULPKIN_WINDOWS_PREFIX)
  set(ENV{PKG_CONFIG_LIBDIR} ${GULPKIN_WINDOWS_PREFIX}/lib/pkgconfig)
  set(ENV{PKG_CONFIG_SYSROOT_DIR} "")
endif()
set(PKG_CONFIG_ARGN --static)

# the Windows programs run under Wine in the game's own shared Wine prefix
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine_run.sh)
