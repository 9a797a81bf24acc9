# Cross-builds the Windows program on Debian with mingw-w64 (x86_64, posix
# thread model: std::thread and std::mutex need it).
#
# Everything is linked statically, so the program imports only Windows' own
# DLLs and runs from a single .exe with nothing beside it: no libstdc++-6.dll,
# libgcc_s_seh-1.dll or libwinpthread-1.dll. Release builds are also stripped;
# the test builds keep their symbols for Wine's crash backtraces.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triple}-windres)

# Libraries and headers come from the mingw-w64 tree only, never from Linux;
# programs (Wine, Xvfb, the formatters) are the build machine's.
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
set(CMAKE_EXE_LINKER_FLAGS_MINSIZEREL_INIT "-s")
