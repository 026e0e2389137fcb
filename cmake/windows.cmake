# planewave3d for 64-bit Windows, cross-built with mingw-w64 on Debian:
#   cmake --preset windows-cross && cmake --build --preset windows-cross
# freeglut comes from Debian's own source package (fetched at build time, its Debian patches
# applied) and is built with the same toolchain and linked statically; OpenGL and GLU are
# Windows' opengl32 and glu32; the C and C++ runtimes are linked statically. The artefact,
# planewave3d-<version>-win64.zip, holds the program, a README.txt and the licences of what is
# linked into it.
include(ExternalProject)

ExternalProject_Add(freeglut_windows
  PREFIX ${PROJECT_BINARY_DIR}/freeglut
  DOWNLOAD_COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/fetch-debian-source.sh freeglut <SOURCE_DIR>
  CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE} -DCMAKE_BUILD_TYPE=Release
             -DCMAKE_INSTALL_PREFIX=<INSTALL_DIR> -DFREEGLUT_BUILD_SHARED_LIBS=OFF
             -DFREEGLUT_BUILD_STATIC_LIBS=ON -DFREEGLUT_BUILD_DEMOS=OFF
  BUILD_BYPRODUCTS <INSTALL_DIR>/lib/libfreeglut_static.a)
ExternalProject_Get_Property(freeglut_windows SOURCE_DIR INSTALL_DIR)
set(freeglut_source_dir ${SOURCE_DIR})
file(MAKE_DIRECTORY ${INSTALL_DIR}/include)  # filled at build time
add_library(freeglut_static STATIC IMPORTED)
set_target_properties(freeglut_static PROPERTIES
  IMPORTED_LOCATION ${INSTALL_DIR}/lib/libfreeglut_static.a
  INTERFACE_INCLUDE_DIRECTORIES ${INSTALL_DIR}/include
  INTERFACE_COMPILE_DEFINITIONS FREEGLUT_STATIC
  INTERFACE_LINK_LIBRARIES "glu32;opengl32;gdi32;winmm")

# zlib, libpng and giflib write the pictures for slides: built likewise from Debian's source
# packages, statically.
set(windows_cmake_args -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE} -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_INSTALL_PREFIX=<INSTALL_DIR>)
ExternalProject_Add(zlib_windows
  PREFIX ${PROJECT_BINARY_DIR}/zlib
  DOWNLOAD_COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/fetch-debian-source.sh zlib <SOURCE_DIR>
  CMAKE_ARGS ${windows_cmake_args}
  # The static library alone: Debian's source has no resource file for the DLL.
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target zlibstatic
  INSTALL_COMMAND ${CMAKE_COMMAND} -E make_directory <INSTALL_DIR>/lib <INSTALL_DIR>/include
  COMMAND ${CMAKE_COMMAND} -E copy <BINARY_DIR>/libzlibstatic.a <INSTALL_DIR>/lib
  COMMAND ${CMAKE_COMMAND} -E copy <SOURCE_DIR>/zlib.h <BINARY_DIR>/zconf.h <INSTALL_DIR>/include
  BUILD_BYPRODUCTS <INSTALL_DIR>/lib/libzlibstatic.a)
ExternalProject_Get_Property(zlib_windows SOURCE_DIR INSTALL_DIR)
set(zlib_source_dir ${SOURCE_DIR})
set(zlib_install_dir ${INSTALL_DIR})
ExternalProject_Add(libpng_windows
  PREFIX ${PROJECT_BINARY_DIR}/libpng
  DOWNLOAD_COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/fetch-debian-source.sh libpng1.6 <SOURCE_DIR>
  CMAKE_ARGS ${windows_cmake_args} -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF
             -DPNG_EXECUTABLES=OFF -DZLIB_LIBRARY=${zlib_install_dir}/lib/libzlibstatic.a
             -DZLIB_INCLUDE_DIR=${zlib_install_dir}/include
  DEPENDS zlib_windows
  BUILD_BYPRODUCTS <INSTALL_DIR>/lib/libpng16.a)
ExternalProject_Get_Property(libpng_windows SOURCE_DIR INSTALL_DIR)
set(libpng_source_dir ${SOURCE_DIR})
set(libpng_install_dir ${INSTALL_DIR})
ExternalProject_Add(giflib_windows
  PREFIX ${PROJECT_BINARY_DIR}/giflib
  DOWNLOAD_COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/fetch-debian-source.sh giflib <SOURCE_DIR>
  PATCH_COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/cmake/giflib/CMakeLists.txt
                <SOURCE_DIR>
  CMAKE_ARGS ${windows_cmake_args}
  BUILD_BYPRODUCTS <INSTALL_DIR>/lib/libgif.a)
ExternalProject_Get_Property(giflib_windows SOURCE_DIR INSTALL_DIR)
set(giflib_source_dir ${SOURCE_DIR})
set(giflib_install_dir ${INSTALL_DIR})
file(MAKE_DIRECTORY ${zlib_install_dir}/include ${libpng_install_dir}/include
     ${giflib_install_dir}/include)  # filled at build time
add_library(picture_libraries INTERFACE)
add_dependencies(picture_libraries libpng_windows giflib_windows)
target_include_directories(picture_libraries INTERFACE ${libpng_install_dir}/include
  ${giflib_install_dir}/include ${zlib_install_dir}/include)
target_link_libraries(picture_libraries INTERFACE ${libpng_install_dir}/lib/libpng16.a
  ${giflib_install_dir}/lib/libgif.a ${zlib_install_dir}/lib/libzlibstatic.a)

# FreeType rasterises the panels' text: likewise, statically, with the zlib above (its own copy
# would define zlib's names a second time) and without the libraries it can use for coloured or
# compressed fonts, which the built-in font does not need.
ExternalProject_Add(freetype_windows
  PREFIX ${PROJECT_BINARY_DIR}/freetype
  DOWNLOAD_COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/fetch-debian-source.sh freetype <SOURCE_DIR>
  CMAKE_ARGS ${windows_cmake_args} -DBUILD_SHARED_LIBS=OFF -DFT_REQUIRE_ZLIB=ON
             -DZLIB_LIBRARY=${zlib_install_dir}/lib/libzlibstatic.a
             -DZLIB_INCLUDE_DIR=${zlib_install_dir}/include -DFT_DISABLE_BZIP2=ON
             -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
  DEPENDS zlib_windows
  BUILD_BYPRODUCTS <INSTALL_DIR>/lib/libfreetype.a)
ExternalProject_Get_Property(freetype_windows SOURCE_DIR INSTALL_DIR)
set(freetype_source_dir ${SOURCE_DIR})
file(MAKE_DIRECTORY ${INSTALL_DIR}/include/freetype2)  # filled at build time
add_library(freetype_static STATIC IMPORTED)
set_target_properties(freetype_static PROPERTIES
  IMPORTED_LOCATION ${INSTALL_DIR}/lib/libfreetype.a
  INTERFACE_INCLUDE_DIRECTORIES ${INSTALL_DIR}/include/freetype2)

# yaml-cpp reads the user's refractive index files: likewise, statically, its library alone.
ExternalProject_Add(yamlcpp_windows
  PREFIX ${PROJECT_BINARY_DIR}/yaml-cpp
  DOWNLOAD_COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/fetch-debian-source.sh yaml-cpp <SOURCE_DIR>
  CMAKE_ARGS ${windows_cmake_args} -DYAML_BUILD_SHARED_LIBS=OFF -DYAML_CPP_BUILD_TESTS=OFF
             -DYAML_CPP_BUILD_TOOLS=OFF -DYAML_CPP_BUILD_CONTRIB=OFF
  BUILD_BYPRODUCTS <INSTALL_DIR>/lib/libyaml-cpp.a)
ExternalProject_Get_Property(yamlcpp_windows SOURCE_DIR INSTALL_DIR)
set(yamlcpp_source_dir ${SOURCE_DIR})
file(MAKE_DIRECTORY ${INSTALL_DIR}/include)  # filled at build time
add_library(yamlcpp_static STATIC IMPORTED)
set_target_properties(yamlcpp_static PROPERTIES
  IMPORTED_LOCATION ${INSTALL_DIR}/lib/libyaml-cpp.a
  INTERFACE_INCLUDE_DIRECTORIES ${INSTALL_DIR}/include)

# The catalogues of translations, built in: po/*.po as a table (the page does the same).
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(translations_inc ${PROJECT_BINARY_DIR}/translations/translations.inc)
file(GLOB po_files ${PROJECT_SOURCE_DIR}/po/*.po)
add_custom_command(OUTPUT ${translations_inc}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/translations
  COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/scripts/po_table.py ${translations_inc}
          ${po_files}
  DEPENDS ${po_files} ${PROJECT_SOURCE_DIR}/scripts/po_table.py)
target_sources(planewave_scene PRIVATE scene/translate_table.cpp ${translations_inc})
target_include_directories(planewave_scene PRIVATE ${PROJECT_BINARY_DIR}/translations)

# toml++ reads the lessons, header-only: the headers of Debian's libtomlplusplus-dev (its source
# package's files are not always on the mirror), seen through a folder of their own so that
# nothing else of the build machine's include folder reaches the cross compiler.
find_path(tomlplusplus_include toml++/toml.h PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(tomlplusplus_headers_dir ${PROJECT_BINARY_DIR}/tomlplusplus-include)
file(MAKE_DIRECTORY ${tomlplusplus_headers_dir})
if(NOT EXISTS ${tomlplusplus_headers_dir}/toml++)
  file(CREATE_LINK ${tomlplusplus_include}/toml++ ${tomlplusplus_headers_dir}/toml++ SYMBOLIC)
endif()
add_library(tomlplusplus_headers INTERFACE)
target_include_directories(tomlplusplus_headers INTERFACE ${tomlplusplus_headers_dir})
target_compile_definitions(tomlplusplus_headers INTERFACE TOML_HEADER_ONLY=1)

add_library(planewave_render STATIC ${planewave_render_sources})
planewave_layer(planewave_render platform scene render)
add_dependencies(planewave_render freeglut_windows freetype_windows)
target_link_libraries(planewave_render PUBLIC planewave_scene freeglut_static freetype_static)

add_executable(planewave3d app/main.cpp ${planewave_core_sources} ${planewave_app_sources}
  platform/atomic_file.cpp
  platform/gif_file.cpp
  platform/display_connection_win32.cpp
  platform/display_mode_win32.cpp
  platform/exit_requests_win32.cpp
  platform/mode_guardian_none.cpp
  platform/offscreen_context_win32.cpp
  platform/window_title_win32.cpp)
add_dependencies(planewave3d freeglut_windows yamlcpp_windows)
target_include_directories(planewave3d PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_definitions(planewave3d PRIVATE PLANEWAVE_VERSION="${PROJECT_VERSION}"
  WIN32_LEAN_AND_MEAN NOMINMAX)
target_link_libraries(planewave3d PRIVATE planewave_render tomlplusplus_headers picture_libraries
  yamlcpp_static)
# No runtime DLL beside the program: libgcc, libstdc++ and the rest linked in; no symbols.
target_link_options(planewave3d PRIVATE -static -s)

# The zip.
set(zip_name planewave3d-${PROJECT_VERSION}-win64)
set(zip_stage ${PROJECT_BINARY_DIR}/${zip_name})
configure_file(packaging/windows/README.txt.in ${PROJECT_BINARY_DIR}/README.txt @ONLY)
# The page for a browser goes along when it has been built (scripts/build-web.sh).
set(web_page ${PROJECT_SOURCE_DIR}/build-web/planewave3d.html)
set(copy_web_page "")
if(EXISTS ${web_page})
  set(copy_web_page COMMAND ${CMAKE_COMMAND} -E copy ${web_page} ${zip_stage})
endif()
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/${zip_name}.zip
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${zip_stage}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${zip_stage}/licences
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:planewave3d> ${PROJECT_BINARY_DIR}/README.txt
          ${zip_stage}
  COMMAND ${CMAKE_COMMAND} -E copy ${freeglut_source_dir}/COPYING
          ${zip_stage}/licences/freeglut.txt
  COMMAND ${CMAKE_COMMAND} -E copy /usr/share/doc/libtomlplusplus-dev/copyright
          ${zip_stage}/licences/tomlplusplus.txt
  COMMAND ${CMAKE_COMMAND} -E copy ${zlib_source_dir}/debian/copyright
          ${zip_stage}/licences/zlib.txt
  COMMAND ${CMAKE_COMMAND} -E copy ${libpng_source_dir}/debian/copyright
          ${zip_stage}/licences/libpng.txt
  COMMAND ${CMAKE_COMMAND} -E copy ${giflib_source_dir}/debian/copyright
          ${zip_stage}/licences/giflib.txt
  COMMAND ${CMAKE_COMMAND} -E copy ${freetype_source_dir}/docs/FTL.TXT
          ${zip_stage}/licences/freetype.txt
  COMMAND ${CMAKE_COMMAND} -E copy ${yamlcpp_source_dir}/LICENSE
          ${zip_stage}/licences/yaml-cpp.txt
  COMMAND ${CMAKE_COMMAND} -E copy /usr/share/doc/fonts-dejavu-core/copyright
          ${zip_stage}/licences/dejavu-fonts.txt
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/examples
          ${zip_stage}/examples
  ${copy_web_page}
  COMMAND ${CMAKE_COMMAND} -E copy /usr/share/doc/gcc-mingw-w64-base/copyright
          ${zip_stage}/licences/gcc-runtime-libraries.txt
  COMMAND ${CMAKE_COMMAND} -E copy /usr/share/doc/mingw-w64-x86-64-dev/copyright
          ${zip_stage}/licences/mingw-w64-runtime.txt
  COMMAND ${CMAKE_COMMAND} -E tar cf ${zip_name}.zip --format=zip ${zip_name}
  WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
  DEPENDS planewave3d ${PROJECT_BINARY_DIR}/README.txt
  COMMENT "Packing ${zip_name}.zip")
add_custom_target(windows_zip ALL DEPENDS ${PROJECT_BINARY_DIR}/${zip_name}.zip)
