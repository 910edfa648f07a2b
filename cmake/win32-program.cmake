# The Windows program: start-up object, resources, static runtime, GUI subsystem.
enable_language(RC)

# The version goes from the project into the version resource and, through version.txt, the package name.
configure_file(res/version.h.in ${CMAKE_BINARY_DIR}/generated/version.h @ONLY)
file(WRITE ${CMAKE_BINARY_DIR}/version.txt "${PROJECT_VERSION}\n")

add_executable(Pelmorath WIN32
  app/main.cpp
  app/runtime_size.cpp
  res/pelmorath.rc)
target_include_directories(Pelmorath PRIVATE ${CMAKE_SOURCE_DIR}/res ${CMAKE_BINARY_DIR}/generated)
target_link_libraries(Pelmorath PRIVATE pelmorath_app)
set_source_files_properties(res/pelmorath.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/res/pelmorath.ico;${CMAKE_SOURCE_DIR}/res/hand.cur;${CMAKE_SOURCE_DIR}/res/pelmorath.manifest;${CMAKE_BINARY_DIR}/generated/version.h")

if(MINGW)
  # No MinGW runtime DLLs beside the program: it must start on a bare Windows.
  # No link time in the header: two builds of one commit give the same program, and so the same packages.
  target_link_options(Pelmorath PRIVATE -static -static-libgcc -static-libstdc++ -Wl,--gc-sections -Wl,--no-insert-timestamp -s)
endif()

add_subdirectory(installer)

foreach(tool_dir tests/e2e tests/bench)
  if(EXISTS ${CMAKE_SOURCE_DIR}/${tool_dir}/CMakeLists.txt)
    add_subdirectory(${tool_dir})
  endif()
endforeach()
