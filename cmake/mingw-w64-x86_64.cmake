# Cross build for Windows x86-64 with Debian's MinGW-w64 (posix threads, which
# Qt needs for std::thread and friends). Used for the libraries of the Windows
# toolchain folder and for Tarvil itself; scripts/package-windows drives both.
#
# The toolchain folder comes from TARVIL_WIN_PREFIX (cache or environment),
# default ~/.cache/tarvil-win. Host tools (moc, rcc, uic) come from the
# system's Qt of the same version: pass -DQT_HOST_PATH=/usr.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TARVIL_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TARVIL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARVIL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TARVIL_MINGW_TRIPLE}-windres)
set(CMAKE_AR ${TARVIL_MINGW_TRIPLE}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${TARVIL_MINGW_TRIPLE}-gcc-ranlib-posix CACHE FILEPATH "")

if(NOT TARVIL_WIN_PREFIX)
  if(DEFINED ENV{TARVIL_WIN_PREFIX} AND NOT "$ENV{TARVIL_WIN_PREFIX}" STREQUAL "")
    set(TARVIL_WIN_PREFIX "$ENV{TARVIL_WIN_PREFIX}")
  elseif(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
    set(TARVIL_WIN_PREFIX "$ENV{XDG_CACHE_HOME}/tarvil-win")
  else()
    set(TARVIL_WIN_PREFIX "$ENV{HOME}/.cache/tarvil-win")
  endif()
endif()
set(TARVIL_WIN_PREFIX "${TARVIL_WIN_PREFIX}" CACHE PATH "Windows toolchain folder (cross-built libraries)")
# try_compile projects see the same folder.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TARVIL_WIN_PREFIX)

# Libraries and headers only from MinGW's sysroot and the toolchain folder;
# programs from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${TARVIL_MINGW_TRIPLE} "${TARVIL_WIN_PREFIX}" "${TARVIL_WIN_PREFIX}/qt")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config answers for the target, never with the build machine's .pc files.
set(ENV{PKG_CONFIG_LIBDIR} "${TARVIL_WIN_PREFIX}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")
