# Windows: Vexal.exe, the Win32 side of the contract tests, the end-to-end test
# driver and the demo's stub programs. Everything is linked static: one file each.
set(VEXAL_WIN_LIBS ws2_32 comctl32 comdlg32 shell32 shlwapi ole32 oleaut32 uuid winmm wininet version gdi32 user32 advapi32 kernel32)
set(VEXAL_STATIC -static -static-libgcc -static-libstdc++)

# The Win32 services see the platform interfaces and util; the window backend sees
# them and the control model; the program entry alone sees everything.
vexal_layer(vexal_win32 DIRS platform/win32 SEES platform util LINKS vexal_util ${VEXAL_WIN_LIBS})
target_compile_definitions(vexal_win32 PUBLIC WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0800 NOMINMAX)
vexal_layer(vexal_window DIRS window SEES platform util ui resources LINKS vexal_ui vexal_win32)
# The logo is compiled in deflated.
target_link_libraries(vexal_window PUBLIC ${CMAKE_FIND_ROOT_PATH}/lib/libz.a)

add_executable(Vexal WIN32 ${CMAKE_SOURCE_DIR}/src/app/winmain.cpp ${CMAKE_SOURCE_DIR}/src/resources/vexal.rc)
target_link_libraries(Vexal PRIVATE vexal_app vexal_window)
target_compile_options(Vexal PRIVATE ${VEXAL_WARNINGS})
# Sections nothing reaches are dropped; the map of the link (Vexal.map beside it) shows
# what each library and object brings, for when the program nears its 1 MB.
target_link_options(Vexal PRIVATE ${VEXAL_STATIC} -s -Wl,--gc-sections -Wl,-Map,${CMAKE_BINARY_DIR}/Vexal.map)
set_target_properties(Vexal PROPERTIES OUTPUT_NAME Vexal)

# GoogleTest cross-built from Debian's sources for the tests that run under Wine.
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

file(GLOB VEXAL_CONTRACT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/contract/*.cpp)
if(VEXAL_CONTRACT_SOURCES)
  add_executable(vexal_contract_win32 ${VEXAL_CONTRACT_SOURCES})
  target_link_libraries(vexal_contract_win32 PRIVATE vexal_win32 gtest_main)
  target_include_directories(vexal_contract_win32 PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_compile_options(vexal_contract_win32 PRIVATE ${VEXAL_WARNINGS})
  target_link_options(vexal_contract_win32 PRIVATE ${VEXAL_STATIC})
endif()

file(GLOB VEXAL_E2E_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.cpp)
if(VEXAL_E2E_SOURCES)
  add_executable(vexal_e2e ${VEXAL_E2E_SOURCES})
  target_link_libraries(vexal_e2e PRIVATE vexal_app vexal_win32 gtest_main)
  target_include_directories(vexal_e2e PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_compile_options(vexal_e2e PRIVATE ${VEXAL_WARNINGS})
  target_link_options(vexal_e2e PRIVATE ${VEXAL_STATIC})
endif()

# Small helper programs of the demo and the tests (stub game, server browser, updater ...).
file(GLOB VEXAL_DEMO_PROGRAMS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/demo/programs/*.cpp)
foreach(src ${VEXAL_DEMO_PROGRAMS})
  get_filename_component(prog ${src} NAME_WE)
  add_executable(${prog} WIN32 ${src})
  target_compile_options(${prog} PRIVATE ${VEXAL_WARNINGS})
  target_link_options(${prog} PRIVATE ${VEXAL_STATIC} -s)
  target_link_libraries(${prog} PRIVATE ${VEXAL_WIN_LIBS})
endforeach()

# The 64-bit game program (ET:Legacy's etl.exe since 2.81) for the stories of its warning:
# the 64-bit build's own stub, or one the 64-bit MinGW makes beside the 32-bit build.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/game64.exe DEPENDS game
                     COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:game> ${CMAKE_BINARY_DIR}/game64.exe)
  add_custom_target(game64 ALL DEPENDS ${CMAKE_BINARY_DIR}/game64.exe)
else()
  find_program(VEXAL_MINGW64_CXX NAMES x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-g++)
  if(VEXAL_MINGW64_CXX)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/game64.exe DEPENDS ${CMAKE_SOURCE_DIR}/demo/programs/game.cpp
                       COMMAND ${VEXAL_MINGW64_CXX} -std=c++20 -O2 -mwindows -static -s
                               ${CMAKE_SOURCE_DIR}/demo/programs/game.cpp -o ${CMAKE_BINARY_DIR}/game64.exe)
    add_custom_target(game64 ALL DEPENDS ${CMAKE_BINARY_DIR}/game64.exe)
  endif()
endif()

file(GLOB VEXAL_BENCH_WIN CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*_win32.cpp)
foreach(src ${VEXAL_BENCH_WIN})
  get_filename_component(prog ${src} NAME_WE)
  add_executable(${prog} ${src})
  target_link_libraries(${prog} PRIVATE vexal_app vexal_win32)
  target_compile_options(${prog} PRIVATE ${VEXAL_WARNINGS})
  target_link_options(${prog} PRIVATE ${VEXAL_STATIC})
endforeach()
# The server-list figures drive the real program with the end-to-end harness and fake servers.
target_sources(servers_win32 PRIVATE ${CMAKE_SOURCE_DIR}/tests/e2e/harness.cpp
                                     ${CMAKE_SOURCE_DIR}/tests/e2e/fake_game_server.cpp)
target_sources(world_win32 PRIVATE ${CMAKE_SOURCE_DIR}/tests/e2e/harness.cpp)
foreach(prog servers_win32 world_win32)
  target_include_directories(${prog} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${prog} PRIVATE vexal_window)
endforeach()

# Test tools that run under Wine beside the tests (writers killed at random points, ...).
file(GLOB VEXAL_TEST_TOOLS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/tools/*.cpp)
foreach(src ${VEXAL_TEST_TOOLS})
  get_filename_component(prog ${src} NAME_WE)
  add_executable(${prog} ${src})
  target_link_libraries(${prog} PRIVATE vexal_app vexal_win32)
  target_include_directories(${prog} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_compile_options(${prog} PRIVATE ${VEXAL_WARNINGS})
  target_link_options(${prog} PRIVATE ${VEXAL_STATIC})
endforeach()
include(cmake/resources.cmake)
