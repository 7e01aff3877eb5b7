# Cross build for 64-bit Windows: 64-bit players and machines that run no 32-bit code.
set(VELMORA_MINGW x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
