# The Windows build: the plain C++ parts, the Win32 platform backend and
# their tests, which run under Wine (CMAKE_CROSSCOMPILING_EMULATOR).
# GCC 12 warns wrongly about std::string copies (-Wrestrict) in these headers.
add_compile_options(-Wno-restrict)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)
add_subdirectory(src/config)
add_subdirectory(src/platform/windows)
if(TAPFILL_BUILD_TESTS)
  enable_testing()
  add_subdirectory(tests/windows)
endif()
