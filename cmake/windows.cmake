# The Windows build (see cmake/mingw-w64.cmake): the layers above the platform compiled
# against <windows.h>, the resource script through windres, and the test programs that
# run under Wine. Nothing of platform/ is built; `win32` is only include folders:
# platform/windows (whose win32.h is <windows.h>) ahead of platform/include.
add_library(win32 INTERFACE)
target_include_directories(win32 INTERFACE ${CMAKE_SOURCE_DIR}/platform/windows ${CMAKE_SOURCE_DIR}/platform/include)
find_package(Threads REQUIRED)
target_link_libraries(win32 INTERFACE Threads::Threads user32 gdi32 kernel32)

add_subdirectory(framework)
add_subdirectory(engine)

# The same resource script the other build compiles with tools/rc.
enable_language(RC)
add_library(resources OBJECT ${CMAKE_SOURCE_DIR}/resources/torvex.rc)
target_include_directories(resources PRIVATE ${CMAKE_SOURCE_DIR}/resources)
set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/torvex.rc PROPERTIES
  OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/resources/quirvel.ico)

# The command-line mode drives the program on the platform's headless display, which this
# build does not have. Its entry here (cli/windows) starts the window program as the
# system's start-up would and refuses options, by the command line's own rule of what an
# option is.
add_library(cli_main STATIC ${CMAKE_SOURCE_DIR}/cli/windows/main.cpp ${CMAKE_SOURCE_DIR}/cli/options.cpp)
torvex_warnings(cli_main)
target_include_directories(cli_main PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(cli_main PUBLIC framework win32)

foreach(layer genui app)
  if(EXISTS ${CMAKE_SOURCE_DIR}/${layer}/CMakeLists.txt)
    add_subdirectory(${layer})
  endif()
endforeach()
# A GUI-subsystem program: no console window, and the system's start-up calls WinMain.
if(TARGET torvex)
  set_target_properties(torvex PROPERTIES WIN32_EXECUTABLE ON)
endif()

enable_testing()
add_subdirectory(tests/wine)
