# Debian's emscripten, with what its tools need to find whichever Node.js is first on the PATH:
# acorn from Debian's own Node.js modules, and Debian's Python.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
set(drelm_emscripten_env ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs
  EMSDK_PYTHON=/usr/bin/python3)
set(CMAKE_CXX_COMPILER_LAUNCHER ${drelm_emscripten_env})
set(CMAKE_CXX_LINKER_LAUNCHER ${drelm_emscripten_env})
