# Cross-compiles the program for 32-bit Windows with clang, against the MinGW-w64 (posix) headers and runtime.
# clang compiles; the MinGW g++ driver links, because only it brings GCC's own start files, which register the
# DWARF unwind tables the C++ runtime's exceptions need (clang's MinGW driver picks the plain MinGW ones).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET i686-w64-mingw32)
set(CMAKE_CXX_COMPILER_TARGET i686-w64-mingw32)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)

# The libstdc++ headers of the MinGW g++ installation, which clang does not find by itself.
execute_process(COMMAND i686-w64-mingw32-g++-posix -print-libgcc-file-name
                OUTPUT_VARIABLE _mingw_libgcc OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(_mingw_gcc_dir "${_mingw_libgcc}" DIRECTORY)
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES
    ${_mingw_gcc_dir}/include/c++ ${_mingw_gcc_dir}/include/c++/i686-w64-mingw32 ${_mingw_gcc_dir}/include/c++/backward)
# Read after CMake's own platform rules, which would otherwise link with clang.
set(CMAKE_USER_MAKE_RULES_OVERRIDE_CXX ${CMAKE_CURRENT_LIST_DIR}/clang-mingw-link.cmake)

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
