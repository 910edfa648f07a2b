# Links clang's objects with the MinGW g++ driver (see clang-mingw-i686.cmake for why).
set(CMAKE_CXX_LINK_EXECUTABLE
    "i686-w64-mingw32-g++-posix <FLAGS> <CMAKE_CXX_LINK_FLAGS> <LINK_FLAGS> <OBJECTS> -o <TARGET> <LINK_LIBRARIES>")
