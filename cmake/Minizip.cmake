# Provides the target `minizip`: the system library natively, or, for Windows,
# minizip compiled from the zlib sources that scripts/setup unpacks into build/.
if(WIN32)
  set(MINIZIP_SOURCE_DIR "${PROJECT_SOURCE_DIR}/build/_deps/zlib/contrib/minizip"
      CACHE PATH "contrib/minizip of the zlib source package")
  if(NOT EXISTS "${MINIZIP_SOURCE_DIR}/unzip.c")
    message(FATAL_ERROR "minizip sources not found in ${MINIZIP_SOURCE_DIR}; run scripts/setup")
  endif()
  # No zlib1.dll beside the programs.
  set(ZLIB_USE_STATIC_LIBS ON)
  find_package(ZLIB REQUIRED)
  add_library(minizip STATIC
    ${MINIZIP_SOURCE_DIR}/ioapi.c
    ${MINIZIP_SOURCE_DIR}/unzip.c
    ${MINIZIP_SOURCE_DIR}/zip.c)
  # Third-party code: its own warnings are not ours to fix.
  target_compile_options(minizip PRIVATE -w)
  target_compile_definitions(minizip PUBLIC NOCRYPT NOUNCRYPT)
  target_include_directories(minizip SYSTEM PUBLIC "${MINIZIP_SOURCE_DIR}")
  target_link_libraries(minizip PUBLIC ZLIB::ZLIB)
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(MINIZIP REQUIRED IMPORTED_TARGET minizip)
  # The writer deflates by itself, so zlib is used directly too.
  find_package(ZLIB REQUIRED)
  add_library(minizip INTERFACE)
  target_link_libraries(minizip INTERFACE PkgConfig::MINIZIP ZLIB::ZLIB)
endif()
