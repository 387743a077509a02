# The icon, the button and menu pictures and the logo are generated at build time by picgen from
# the pixel-art sources in src/resources/pictures. picgen runs on the build machine, so it is built
# with the host compiler, not with the cross toolchain that builds everything else here.
set(VEXAL_RES_DIR ${CMAKE_SOURCE_DIR}/src/resources)
set(VEXAL_PICTURES_DIR ${CMAKE_BINARY_DIR}/pictures)
set(VEXAL_PICGEN ${CMAKE_BINARY_DIR}/picgen)

find_program(VEXAL_HOST_CXX NAMES g++ c++ REQUIRED)

add_custom_command(
  OUTPUT ${VEXAL_PICGEN}
  COMMAND ${VEXAL_HOST_CXX} -std=c++20 -O1 -Wall -Wextra -Werror ${VEXAL_RES_DIR}/picgen.cpp ${VEXAL_RES_DIR}/picgen_logo.cpp
          -lz -o ${VEXAL_PICGEN}
  DEPENDS ${VEXAL_RES_DIR}/picgen.cpp ${VEXAL_RES_DIR}/picgen_logo.cpp ${VEXAL_RES_DIR}/picgen.h
  COMMENT "Building picgen for the build machine"
  VERBATIM)

# One .bmp per source, except the icon-*.txt sizes, which together make vexal.ico.
file(GLOB VEXAL_PICTURE_SOURCES CONFIGURE_DEPENDS ${VEXAL_RES_DIR}/pictures/*.txt)
set(VEXAL_PICTURES ${VEXAL_PICTURES_DIR}/vexal.ico ${VEXAL_PICTURES_DIR}/logo.bmp ${VEXAL_PICTURES_DIR}/logo.bmp.z)
foreach(src ${VEXAL_PICTURE_SOURCES})
  get_filename_component(name ${src} NAME_WE)
  if(NOT name MATCHES "^icon-")
    list(APPEND VEXAL_PICTURES ${VEXAL_PICTURES_DIR}/${name}.bmp)
  endif()
endforeach()

add_custom_command(
  OUTPUT ${VEXAL_PICTURES}
  COMMAND ${VEXAL_PICGEN} ${VEXAL_RES_DIR}/pictures ${VEXAL_PICTURES_DIR}
  DEPENDS ${VEXAL_PICGEN} ${VEXAL_PICTURE_SOURCES}
  COMMENT "Generating the icon and pictures"
  VERBATIM)
add_custom_target(vexal_pictures DEPENDS ${VEXAL_PICTURES})

# The manifest names the processor the program is built for: Windows refuses to start a 64-bit
# program whose manifest says x86.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(VEXAL_MANIFEST_ARCH amd64)
else()
  set(VEXAL_MANIFEST_ARCH x86)
endif()
configure_file(${VEXAL_RES_DIR}/vexal.manifest.in ${VEXAL_PICTURES_DIR}/vexal.manifest @ONLY)

# The .rc finds the generated files through its include path; recompile it whenever one changes.
set(VEXAL_RC ${VEXAL_RES_DIR}/vexal.rc)
set_source_files_properties(${VEXAL_RC} PROPERTIES
  INCLUDE_DIRECTORIES "${VEXAL_PICTURES_DIR};${VEXAL_RES_DIR}"
  OBJECT_DEPENDS "${VEXAL_PICTURES};${VEXAL_RES_DIR}/resource_ids.h;${VEXAL_RES_DIR}/version.rc2;${VEXAL_RES_DIR}/pictures.rc2;${VEXAL_PICTURES_DIR}/vexal.manifest")

# Whichever target compiles vexal.rc must wait for the pictures. The Vexal target is usually defined
# after this file is included, so the link is made once the whole directory has been read.
function(vexal_attach_pictures)
  if(TARGET Vexal)
    add_dependencies(Vexal vexal_pictures)
  endif()
endfunction()
cmake_language(DEFER CALL vexal_attach_pictures)
