# The Windows program: start-up object, resources, static runtime, GUI subsystem.
enable_language(RC)

# The version goes from the project into the version resource and, through version.txt, the package name.
configure_file(res/version.h.in ${CMAKE_BINARY_DIR}/generated/version.h @ONLY)
file(WRITE ${CMAKE_BINARY_DIR}/version.txt "${PROJECT_VERSION}\n")

# The build seams are linked straight into the program, the test build's in place of the release's.
if(PELMORATH_TEST_BUILD)
  set(build_seams app/build_for_test.cpp)
else()
  set(build_seams app/build_release.cpp)
endif()
add_executable(Pelmorath WIN32
  app/main.cpp
  ${build_seams}
  res/pelmorath.rc)
target_include_directories(Pelmorath PRIVATE ${CMAKE_SOURCE_DIR}/res ${CMAKE_BINARY_DIR}/generated)
target_link_libraries(Pelmorath PRIVATE pelmorath_app)
set_source_files_properties(res/pelmorath.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/res/pelmorath.ico;${CMAKE_SOURCE_DIR}/res/hand.cur;${CMAKE_SOURCE_DIR}/res/pelmorath.manifest;${CMAKE_BINARY_DIR}/generated/version.h")

if(MINGW)
  # No MinGW runtime DLLs beside the program: it must start on a bare Windows.
  # No link time in the header: two builds of one commit give the same program, and so the same packages.
  # wWinMain: the program's entry point is the Unicode one.
  target_link_options(Pelmorath PRIVATE -municode -static -static-libgcc -static-libstdc++ -Wl,--gc-sections -Wl,--no-insert-timestamp -s)
endif()

add_subdirectory(installer)

foreach(tool_dir tests/e2e tests/bench)
  if(EXISTS ${CMAKE_SOURCE_DIR}/${tool_dir}/CMakeLists.txt)
    add_subdirectory(${tool_dir})
  endif()
endforeach()
