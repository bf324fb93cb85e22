# The toolchain of the web preset: Emscripten's own CMake toolchain, from the Emscripten root in
# EMSCRIPTEN or the emsdk in EMSDK where either is set, else from Debian's emscripten package.
if(NOT "$ENV{EMSCRIPTEN}" STREQUAL "")
  set(zembrola_emscripten_root "$ENV{EMSCRIPTEN}")
elseif(NOT "$ENV{EMSDK}" STREQUAL "")
  set(zembrola_emscripten_root "$ENV{EMSDK}/upstream/emscripten")
else()
  set(zembrola_emscripten_root /usr/share/emscripten)
endif()
set(zembrola_emscripten_toolchain "${zembrola_emscripten_root}/cmake/Modules/Platform/Emscripten.cmake")
if(NOT EXISTS "${zembrola_emscripten_toolchain}")
  message(FATAL_ERROR "No Emscripten toolchain at ${zembrola_emscripten_toolchain}: set EMSCRIPTEN to Emscripten's root "
                      "(where emcc is) or EMSDK to the emsdk's")
endif()
include("${zembrola_emscripten_toolchain}")
