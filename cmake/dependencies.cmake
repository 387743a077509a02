# zlib, libjpeg-turbo and minizip. Natively they come from Debian's -dev packages;
# for Windows they are built static from Debian's own source packages, which
# scripts/bootstrap.sh unpacks into third_party/src.
if(WIN32)
  include(ExternalProject)
  set(JPEG_SRC ${CMAKE_SOURCE_DIR}/third_party/src/libjpeg-turbo)
  set(JPEG_PREFIX ${CMAKE_BINARY_DIR}/deps/jpeg)
  # Optimised as the program is (for size). Its JPEGMEM variable is read only to be
  # overridden by the program's own memory limit, and would bring in sscanf with the
  # whole of the C library's number parsing.
  set(JPEG_C_FLAGS "-DNO_GETENV -ffunction-sections -fdata-sections")
  # Its messages are formatted with %d and %s only, which the system's own printf does:
  # MinGW's standard-conforming one would bring its floating-point formatting along.
  string(APPEND JPEG_C_FLAGS " -D__USE_MINGW_ANSI_STDIO=0")
  # The decoder is C that never sees an exception (its errors end in a longjmp), so the
  # 32-bit build needs no unwind tables for it. 64-bit Windows unwinds a longjmp by
  # those tables: there they stay.
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    string(APPEND JPEG_C_FLAGS " -fno-asynchronous-unwind-tables")
  endif()
  ExternalProject_Add(jpeg_build
    SOURCE_DIR ${JPEG_SRC}
    BINARY_DIR ${CMAKE_BINARY_DIR}/deps/jpeg-build
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
      -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
      "-DCMAKE_C_FLAGS=${JPEG_C_FLAGS}"
      -DCMAKE_INSTALL_PREFIX=${JPEG_PREFIX}
      -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF
    BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target jpeg-static
    INSTALL_COMMAND ${CMAKE_COMMAND} -E make_directory ${JPEG_PREFIX}/include ${JPEG_PREFIX}/lib
      COMMAND ${CMAKE_COMMAND} -E copy <BINARY_DIR>/libjpeg.a ${JPEG_PREFIX}/lib/
      COMMAND ${CMAKE_COMMAND} -E copy <BINARY_DIR>/jconfig.h ${JPEG_SRC}/jpeglib.h ${JPEG_SRC}/jmorecfg.h
              ${JPEG_SRC}/jerror.h ${JPEG_PREFIX}/include/
    BUILD_BYPRODUCTS ${JPEG_PREFIX}/lib/libjpeg.a
    UPDATE_COMMAND "" PATCH_COMMAND "" LOG_CONFIGURE ON LOG_BUILD ON LOG_INSTALL ON)
  file(MAKE_DIRECTORY ${JPEG_PREFIX}/include)
  add_library(vexal_jpeg STATIC IMPORTED GLOBAL)
  set_target_properties(vexal_jpeg PROPERTIES IMPORTED_LOCATION ${JPEG_PREFIX}/lib/libjpeg.a
                                              INTERFACE_INCLUDE_DIRECTORIES ${JPEG_PREFIX}/include)
  add_dependencies(vexal_jpeg jpeg_build)

  set(MZ ${CMAKE_SOURCE_DIR}/third_party/src/minizip)
  add_library(vexal_minizip STATIC ${MZ}/ioapi.c ${MZ}/zip.c ${MZ}/unzip.c ${MZ}/iowin32.c)
  target_include_directories(vexal_minizip SYSTEM PUBLIC ${CMAKE_SOURCE_DIR}/third_party/src)
  target_compile_definitions(vexal_minizip PRIVATE NOCRYPT NOUNCRYPT)
  target_compile_options(vexal_minizip PRIVATE -w)
  target_link_libraries(vexal_minizip PUBLIC ${CMAKE_FIND_ROOT_PATH}/lib/libz.a)
else()
  find_package(JPEG REQUIRED)
  find_package(ZLIB REQUIRED)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(MINIZIP REQUIRED IMPORTED_TARGET minizip)
  add_library(vexal_jpeg INTERFACE)
  target_link_libraries(vexal_jpeg INTERFACE JPEG::JPEG)
  add_library(vexal_minizip INTERFACE)
  target_link_libraries(vexal_minizip INTERFACE PkgConfig::MINIZIP ZLIB::ZLIB)
  # Debian installs the headers as <minizip/zip.h>, which is how the code includes them.
endif()
