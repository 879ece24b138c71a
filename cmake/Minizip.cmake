# Provides the target `minizip`: the unzip and zip parts of zlib's contributed
# minizip, compiled from the same sources for every build (scripts/setup
# unpacks them; the presets say where), on the system's zlib.
set(MINIZIP_SOURCE_DIR "" CACHE PATH "contrib/minizip of the zlib source package")
if(NOT EXISTS "${MINIZIP_SOURCE_DIR}/unzip.c")
  message(FATAL_ERROR "minizip sources not found in '${MINIZIP_SOURCE_DIR}': run scripts/setup and "
                      "configure with a preset, or set MINIZIP_SOURCE_DIR")
endif()
if(WIN32)
  # No zlib1.dll beside the programs.
  set(ZLIB_USE_STATIC_LIBS ON)
endif()
find_package(ZLIB REQUIRED)
add_library(minizip STATIC
  ${MINIZIP_SOURCE_DIR}/ioapi.c
  ${MINIZIP_SOURCE_DIR}/unzip.c
  ${MINIZIP_SOURCE_DIR}/zip.c)
# Third-party code: its own warnings are not ours to fix.
target_compile_options(minizip PRIVATE -w)
target_compile_definitions(minizip PUBLIC NOCRYPT NOUNCRYPT)
target_include_directories(minizip SYSTEM PUBLIC "${MINIZIP_SOURCE_DIR}")
# The writer deflates by itself, so zlib is used directly too.
target_link_libraries(minizip PUBLIC ZLIB::ZLIB)
