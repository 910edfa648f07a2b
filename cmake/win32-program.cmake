# The Windows program: Win32 glue around the pure libraries, resources, static runtime, GUI subsystem.
enable_language(RC)

add_executable(Pelmorath WIN32
  app/main.cpp
  app/runtime_size.cpp
  app/form1.cpp
  app/run_host.cpp
  app/start_up_host.cpp
  app/step_field.cpp
  app/pointer_hover.cpp
  app/application_window.cpp
  app/dpi.cpp
  app/error_box.cpp
  app/files_beside_exe.cpp
  app/home_page.cpp
  app/message_pump.cpp
  app/settings_store.cpp
  app/window_text.cpp
  steering/keyboard_hook.cpp
  steering/locale_number_format.cpp
  steering/mouse.cpp
  res/pelmorath.rc)
target_include_directories(Pelmorath PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/res)
target_compile_definitions(Pelmorath PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
target_link_libraries(Pelmorath PRIVATE pelmorath_app_core pelmorath_steering_core comctl32 shell32 gdi32 user32 advapi32)
set_source_files_properties(res/pelmorath.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/res/pelmorath.ico;${CMAKE_SOURCE_DIR}/res/pelmorath.manifest")

if(MINGW)
  # No MinGW runtime DLLs beside the program: it must start on a bare Windows.
  target_link_options(Pelmorath PRIVATE -static -static-libgcc -static-libstdc++ -Wl,--gc-sections -s)
  target_compile_options(Pelmorath PRIVATE -ffunction-sections -fdata-sections)
  target_compile_options(pelmorath_app_core PRIVATE -ffunction-sections -fdata-sections)
  target_compile_options(pelmorath_steering_core PRIVATE -ffunction-sections -fdata-sections)
endif()

foreach(tool_dir tests/e2e tests/bench)
  if(EXISTS ${CMAKE_SOURCE_DIR}/${tool_dir}/CMakeLists.txt)
    add_subdirectory(${tool_dir})
  endif()
endforeach()
