# One place for the compiler settings that every target of the project shares.
add_library(vantelo_options INTERFACE)
target_compile_features(vantelo_options INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)

target_compile_options(vantelo_options INTERFACE
  -Wall -Wextra -Wpedantic
  -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual
  -Wcast-align -Wshadow -Wimplicit-fallthrough
  -Wmissing-declarations -Wundef)
if(VANTELO_WERROR)
  target_compile_options(vantelo_options INTERFACE -Werror)
endif()

# Qt safety defines: no implicit conversions between QString and char*.
target_compile_definitions(vantelo_options INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_NO_URL_CAST_FROM_STRING QT_USE_QSTRINGBUILDER)

if(VANTELO_SANITIZE)
  string(REPLACE "," ";" _sanitizers "${VANTELO_SANITIZE}")
  foreach(_s IN LISTS _sanitizers)
    if(NOT _s MATCHES "^(address|undefined|thread)$")
      message(FATAL_ERROR "VANTELO_SANITIZE: unknown sanitizer '${_s}'")
    endif()
  endforeach()
  target_compile_options(vantelo_options INTERFACE
    -fsanitize=${VANTELO_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_link_options(vantelo_options INTERFACE -fsanitize=${VANTELO_SANITIZE})
  # GCC's flow analysis reports uninitialised reads inside the standard library
  # (std::regex, std::function) once the sanitizers instrument it.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(vantelo_options INTERFACE -Wno-maybe-uninitialized)
  endif()
endif()

if(VANTELO_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "VANTELO_FUZZ needs clang: configure with CC=clang CXX=clang++")
  endif()
  # Coverage for libFuzzer in every library; the fuzzers add the fuzzer's main.
  target_compile_options(vantelo_options INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_link_options(vantelo_options INTERFACE -fsanitize=address,undefined)
endif()

if(VANTELO_COVERAGE)
  # Threaded tests update the same counters; without atomic updates gcov can
  # derive negative counts, which gcovr refuses.
  target_compile_options(vantelo_options INTERFACE --coverage -O0 -fprofile-update=atomic)
  target_link_options(vantelo_options INTERFACE --coverage)
endif()

# vantelo_add_core_library(<name> SOURCES ... LINKS ...)
# A static, Qt-free library of one subsystem.
function(vantelo_add_core_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC vantelo_options ${ARG_LINKS})
endfunction()
