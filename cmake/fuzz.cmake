# Fuzz targets: libFuzzer with ASan and UBSan, clang only. Each tests/fuzz/fuzz_*.cpp
# is one target linked against the portable code and the fakes; `vexal_fuzzers`
# builds them all. The libraries get the coverage hooks through the flags that
# CMakeLists.txt sets for VEXAL_FUZZ.
file(GLOB VEXAL_FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz_*.cpp)
add_custom_target(vexal_fuzzers)
foreach(source ${VEXAL_FUZZ_SOURCES})
  get_filename_component(name ${source} NAME_WE)
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE vexal_app vexal_fakes)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_compile_options(${name} PRIVATE ${VEXAL_WARNINGS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  add_dependencies(vexal_fuzzers ${name})
endforeach()
