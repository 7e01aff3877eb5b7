# Cross build for 32-bit Windows: the product.
set(VELMORA_MINGW i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
