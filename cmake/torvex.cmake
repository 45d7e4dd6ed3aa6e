# Shared build helpers. Our own code builds with warnings as errors.
function(torvex_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -Wno-unused-parameter)
  # GCC's flow analysis under the sanitizers reports uninitialised members inside the
  # standard library's own headers (<regex>, <functional>); those are not ours to fix.
  if(TORVEX_SANITIZE AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -Wno-error=maybe-uninitialized)
  endif()
endfunction()

# A static library made of every .cpp below the given folders (relative to the caller).
function(torvex_library name)
  set(sources)
  foreach(dir ${ARGN})
    file(GLOB dir_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND sources ${dir_sources})
  endforeach()
  add_library(${name} STATIC ${sources})
  torvex_warnings(${name})
endfunction()
