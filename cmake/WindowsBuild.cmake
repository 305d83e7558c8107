# The Windows build: the core, the window descriptions, the Win32 platform
# backend and their tests, which run under Wine (CMAKE_CROSSCOMPILING_EMULATOR).
# GCC 12 warns wrongly about std::string copies (-Wrestrict) in these headers.
add_compile_options(-Wno-restrict)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)
enable_language(RC)

# Icons, the manifest (common controls 6, per-monitor DPI awareness v2,
# asInvoker) and the version resource, for a Windows program.
function(tapfill_windows_resources target description)
  set(TAPFILL_TARGET ${target})
  set(TAPFILL_DESCRIPTION "${description}")
  set(TAPFILL_RESOURCES ${PROJECT_SOURCE_DIR}/resources)
  set(TAPFILL_VERSION_QUAD ${PROJECT_VERSION}.0)
  string(REPLACE "." "," TAPFILL_VERSION_COMMAS "${TAPFILL_VERSION_QUAD}")
  set(TAPFILL_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/tapfill.manifest ${TAPFILL_MANIFEST} @ONLY)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/tapfill.rc.in
                 ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/packaging/windows)
endfunction()

# No symbols or debug sections in the programs (the loader would load the
# debug sections with the image), and sections aligned in the file as in
# memory: Wine then maps a program from its file, shared and reloadable,
# instead of reading it into memory of the process's own.
add_link_options(-s -Wl,--file-alignment=0x1000 -Wl,--gc-sections)

add_subdirectory(src)
# The installer and the portable zip.
add_subdirectory(packaging/windows)
if(TAPFILL_BUILD_TESTS)
  enable_testing()
  add_subdirectory(tests/windows)
endif()
if(TAPFILL_BUILD_BENCH)
  # The least Win32 program, which bench/windows measures beside Tapfill (not
  # a folder of bench/'s own: the Linux build takes every one of those).
  add_executable(wine_floor WIN32 bench/windows/WineFloor.cpp)
  target_link_options(wine_floor PRIVATE -municode)
  set_target_properties(wine_floor PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bench/windows)
endif()
