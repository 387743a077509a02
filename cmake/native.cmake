# Native: unit tests, the contract tests against the fakes, benchmarks.
enable_testing()
find_package(GTest REQUIRED)

# The fakes are services like the Win32 ones: they see the platform interfaces and util, nothing above.
vexal_layer(vexal_fakes DIRS platform/fake SEES platform util LINKS vexal_util)

file(GLOB VEXAL_UNIT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(vexal_unit ${VEXAL_UNIT_SOURCES})
target_link_libraries(vexal_unit PRIVATE vexal_app vexal_fakes GTest::gtest_main GTest::gmock)
target_include_directories(vexal_unit PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_compile_options(vexal_unit PRIVATE ${VEXAL_WARNINGS})
add_test(NAME unit COMMAND vexal_unit)

file(GLOB VEXAL_CONTRACT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/contract/*.cpp)
if(NOT VEXAL_CONTRACT_SOURCES)
  return()
endif()
add_executable(vexal_contract_fake ${VEXAL_CONTRACT_SOURCES})
target_link_libraries(vexal_contract_fake PRIVATE vexal_app vexal_fakes GTest::gtest_main)
target_include_directories(vexal_contract_fake PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_compile_definitions(vexal_contract_fake PRIVATE VEXAL_CONTRACT_FAKE=1)
target_compile_options(vexal_contract_fake PRIVATE ${VEXAL_WARNINGS})
add_test(NAME contract_fake COMMAND vexal_contract_fake)

file(GLOB VEXAL_BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*_native.cpp)
if(VEXAL_BENCH_SOURCES)
  add_executable(vexal_bench ${VEXAL_BENCH_SOURCES})
  target_link_libraries(vexal_bench PRIVATE vexal_app vexal_fakes)
  target_include_directories(vexal_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_compile_options(vexal_bench PRIVATE ${VEXAL_WARNINGS})
endif()
