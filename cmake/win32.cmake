# The cross-built product, the stand-ins and the Win32 test programs.

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(VELMORA_STATIC_LINK -static -static-libgcc -static-libstdc++)
# The DLL is loaded into every hooked process: optimise for size.
set(CMAKE_CXX_FLAGS_RELEASE "-Os -DNDEBUG")
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)

add_library(zlib_static INTERFACE)
target_link_libraries(zlib_static INTERFACE ${ZLIB_STATIC})
target_include_directories(zlib_static INTERFACE ${ZLIB_INCLUDE})

# Everything of the plugin but its DLL entry and export, so that test programs and the
# hook test library link the same objects.
add_library(velmora_w32 STATIC
  ui/uApplication.cpp
  ui/uBinding.cpp
  ui/uWide.cpp
  ui/uLateBind.cpp
  ui/uComponent.cpp
  ui/uFont.cpp
  ui/uCanvas.cpp
  ui/uBitmap.cpp
  ui/uControls.cpp
  ui/uDpi.cpp
  ui/uLayout.cpp
  ui/uDialogControls.cpp
  ui/uDialogs.cpp
  ui/uTimer.cpp
  ui/uThread.cpp
  popup/uPopupForm.cpp
  config/uGraphUtils.cpp
  config/uThreadTimer.cpp
  config/uBitmapList.cpp
  config/uCustom.cpp
  config/uCustomLayout.cpp
  config/uCustomBindings.cpp
  config/uMoreKeys.cpp
  config/uLogoFade.cpp
  config/uBrowser.cpp
  config/uSimpleWebLabel.cpp
  config/uDummyPopup.cpp
  settings/uIniManager.cpp
  hook/uMapMemory.cpp
  hook/uHook.cpp
  engine/uWinampManager.cpp
  engine/uUtils.cpp
  engine/uSkinSet.cpp
  engine/uForegroundPolicy.cpp
  engine/uInfoDialog.cpp
  config/uRegistry.cpp
  hook/uCapture.cpp
  engine/uPresenter.cpp
  engine/uPlayerPort.cpp
  engine/uWatch.cpp
  engine/uWheelHook.cpp
  plugin/uPlugin.cpp
)
# Only what every GUI process has already: the hooks load the DLL into every program that
# takes a key. The dialog's libraries and the shell are bound at first use (ui/uLateBind).
target_link_libraries(velmora_w32 PUBLIC velmora_core zlib_static user32 gdi32 kernel32 advapi32)

# The dialog's logo, made at build time by a native program of ours from lettering that
# ImageMagick renders, packed with the Win32-free part of the bitmap list's writer.
set(VELMORA_HOST_CXX g++ CACHE STRING "host C++ compiler for build-time tools")
set(VELMORA_LOGO_DIR ${CMAKE_BINARY_DIR}/logo)
set(VELMORA_LOGO_BLOB ${VELMORA_LOGO_DIR}/logo.blob)
set(VELMORA_LOGO_BMP ${VELMORA_LOGO_DIR}/logo.bmp)
set(VELMORA_LOGO_SOURCES tools/logo/make_logo.cpp config/uBitmapListData.cpp config/uBitmapListWriter.cpp config/uHash.cpp
  config/uFileStreamEx.cpp ui/uBmpFile.cpp)
list(TRANSFORM VELMORA_LOGO_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/ OUTPUT_VARIABLE VELMORA_LOGO_PATHS)
add_custom_command(OUTPUT ${VELMORA_LOGO_BLOB} ${VELMORA_LOGO_BMP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VELMORA_LOGO_DIR}
  COMMAND ${VELMORA_HOST_CXX} -std=c++20 -O2 -I${CMAKE_SOURCE_DIR} ${VELMORA_LOGO_PATHS} -lz
    -o ${VELMORA_LOGO_DIR}/make_logo
  COMMAND bash ${CMAKE_SOURCE_DIR}/tools/logo/make_glyphs.sh ${VELMORA_LOGO_DIR}/glyphs.gray
  COMMAND ${VELMORA_LOGO_DIR}/make_logo ${VELMORA_LOGO_DIR}/glyphs.gray ${VELMORA_LOGO_BMP}
    ${VELMORA_LOGO_BLOB}
  DEPENDS ${VELMORA_LOGO_PATHS} ${CMAKE_SOURCE_DIR}/tools/logo/make_glyphs.sh
  COMMENT "Making the logo blob")
configure_file(${CMAKE_SOURCE_DIR}/plugin/logo.rc.in ${CMAKE_BINARY_DIR}/logo.rc @ONLY)
set_source_files_properties(${CMAKE_BINARY_DIR}/logo.rc PROPERTIES OBJECT_DEPENDS ${VELMORA_LOGO_BLOB})
add_library(velmora_logo OBJECT ${CMAKE_BINARY_DIR}/logo.rc)

# Sections at page boundaries in the file as in memory, so that Wine maps the image into each
# program the hooks reach rather than reading it into private memory there.
set(VELMORA_DLL_LINK ${VELMORA_STATIC_LINK} -s -Wl,--gc-sections -Wl,--enable-stdcall-fixup
  -Wl,--file-alignment,4096 -Wl,--exclude-all-symbols)

add_library(gen_velmora SHARED plugin/dllmain.cpp plugin/uTerminate.cpp plugin/gen_velmora.def
  $<TARGET_OBJECTS:velmora_logo>)
set_target_properties(gen_velmora PROPERTIES PREFIX "" OUTPUT_NAME gen_velmora)
target_link_libraries(gen_velmora PRIVATE -Wl,--whole-archive velmora_w32 -Wl,--no-whole-archive)
target_link_options(gen_velmora PRIVATE ${VELMORA_DLL_LINK})

add_subdirectory(tests/win32)
add_subdirectory(tools)
add_subdirectory(tests/e2e)

add_subdirectory(bench)
