# Provides the target `minizip`: the unzip and zip parts of zlib's contributed
# minizip, compiled from the same sources for every build (scripts/setup
# unpacks them; the presets say where), on the system's zlib on Linux and on
# zlib from the same sources for Windows.
set(MINIZIP_SOURCE_DIR "" CACHE PATH "contrib/minizip of the zlib source package")
if(NOT EXISTS "${MINIZIP_SOURCE_DIR}/unzip.c")
  message(FATAL_ERROR "minizip sources not found in '${MINIZIP_SOURCE_DIR}': run scripts/setup and "
                      "configure with a preset, or set MINIZIP_SOURCE_DIR")
endif()
if(WIN32)
  # Compiled from the same source package, with the CRC tables computed at
  # the first use instead of stored: 9 KiB less in every package. No
  # zlib1.dll beside the programs.
  get_filename_component(zlib_source_dir "${MINIZIP_SOURCE_DIR}/../.." ABSOLUTE)
  add_library(zlib STATIC
    ${zlib_source_dir}/adler32.c
    ${zlib_source_dir}/crc32.c
    ${zlib_source_dir}/deflate.c
    ${zlib_source_dir}/inffast.c
    ${zlib_source_dir}/inflate.c
    ${zlib_source_dir}/inftrees.c
    ${zlib_source_dir}/trees.c
    ${zlib_source_dir}/zutil.c)
  target_compile_options(zlib PRIVATE -w)
  target_compile_definitions(zlib PRIVATE DYNAMIC_CRC_TABLE)
  target_include_directories(zlib SYSTEM PUBLIC "${zlib_source_dir}")
  add_library(ZLIB::ZLIB ALIAS zlib)
else()
  find_package(ZLIB REQUIRED)
endif()
add_library(minizip STATIC
  ${MINIZIP_SOURCE_DIR}/ioapi.c
  ${MINIZIP_SOURCE_DIR}/unzip.c
  ${MINIZIP_SOURCE_DIR}/zip.c)
# Third-party code: its own warnings are not ours to fix. It only keeps
# books, and the installer carries it: small rather than fast.
target_compile_options(minizip PRIVATE -w $<$<BOOL:${WIN32}>:-Os>)
target_compile_definitions(minizip PUBLIC NOCRYPT NOUNCRYPT)
target_include_directories(minizip SYSTEM PUBLIC "${MINIZIP_SOURCE_DIR}")
# The writer deflates by itself, so zlib is used directly too.
target_link_libraries(minizip PUBLIC ZLIB::ZLIB)
