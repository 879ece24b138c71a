# Release: what `cmake --install` puts where, and the packages CPack makes of
# it. Linux: bin/themepack, both installer stubs in share/themepack/, the
# manual page, and the README, licence and sample theme below
# share/doc/themepack/. Windows: themepack.exe with both stubs beside it, the
# README, the licence and the sample theme.

# The stubs of both Windows builds; the Windows build takes its own.
set(THEMESETUP_STUB_X64 "${PROJECT_SOURCE_DIR}/build/win64/themesetup.exe" CACHE FILEPATH
    "the x86-64 installer stub to install")
set(THEMESETUP_STUB_X86 "${PROJECT_SOURCE_DIR}/build/win32/themesetup.exe" CACHE FILEPATH
    "the i686 installer stub to install")

set(release_x64_stub "${THEMESETUP_STUB_X64}")
set(release_x86_stub "${THEMESETUP_STUB_X86}")
if(WIN32)
  set(release_bin_dir .)
  set(release_stub_dir .)
  set(release_doc_dir .)
  set(release_sample_dir sample/aurora)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(release_x64_stub "$<TARGET_FILE:themesetup>")
  else()
    set(release_x86_stub "$<TARGET_FILE:themesetup>")
  endif()
else()
  include(GNUInstallDirs)
  set(release_bin_dir ${CMAKE_INSTALL_BINDIR})
  set(release_stub_dir ${CMAKE_INSTALL_DATADIR}/themepack)
  set(release_doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/themepack)
  set(release_sample_dir ${release_doc_dir}/examples/aurora)
endif()
# themepack finds the stubs from its own folder.
file(RELATIVE_PATH stub_folder_from_bin "/root/${release_bin_dir}" "/root/${release_stub_dir}")
if(stub_folder_from_bin STREQUAL "")
  set(stub_folder_from_bin .)
endif()
target_compile_definitions(themepack_commands PRIVATE "THEMEPACK_STUB_FOLDER=\"${stub_folder_from_bin}\"")

install(TARGETS themepack RUNTIME DESTINATION ${release_bin_dir})
install(FILES "${release_x64_stub}" DESTINATION ${release_stub_dir} RENAME themesetup-x64.exe OPTIONAL)
install(FILES "${release_x86_stub}" DESTINATION ${release_stub_dir} RENAME themesetup-x86.exe OPTIONAL)

# The sample theme as an author finds it, in the build tree and installed:
# its package file and every file it names (the drawn pictures and sound, the
# font) and the font's licence.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(sample_source "${PROJECT_SOURCE_DIR}/samples/aurora")
set(SAMPLE_FOLDER "${CMAKE_BINARY_DIR}/sample/aurora")
set(sample_copies "${sample_source}/Aurora.theme" "${sample_source}/description.txt"
    "${sample_source}/Aurora.themepack" "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf")
set(sample_files "${SAMPLE_FOLDER}/Aurora wallpaper.bmp" "${SAMPLE_FOLDER}/side.bmp" "${SAMPLE_FOLDER}/preview.bmp"
    "${SAMPLE_FOLDER}/Aurora start.wav" "${SAMPLE_FOLDER}/Aurora.theme" "${SAMPLE_FOLDER}/description.txt"
    "${SAMPLE_FOLDER}/Aurora.themepack" "${SAMPLE_FOLDER}/DejaVuSans.ttf")
add_custom_command(OUTPUT ${sample_files}
  COMMAND ${CMAKE_COMMAND} -E make_directory "${SAMPLE_FOLDER}"
  COMMAND Python3::Interpreter "${sample_source}/draw.py" "${SAMPLE_FOLDER}"
  COMMAND ${CMAKE_COMMAND} -E copy ${sample_copies} "${SAMPLE_FOLDER}"
  DEPENDS "${sample_source}/draw.py" ${sample_copies}
  COMMENT "Drawing the sample theme")
add_custom_target(sample_theme ALL DEPENDS ${sample_files})
install(FILES ${sample_files} DESTINATION ${release_sample_dir})
install(FILES "/usr/share/doc/fonts-dejavu-core/copyright" DESTINATION ${release_sample_dir} RENAME DejaVu-LICENSE)

install(FILES "${PROJECT_SOURCE_DIR}/README.md" DESTINATION ${release_doc_dir})
if(WIN32)
  install(FILES "${PROJECT_SOURCE_DIR}/LICENSE" DESTINATION ${release_doc_dir} RENAME LICENSE.txt)
else()
  # Debian's places: the licence as copyright, a compressed changelog and manual page.
  install(FILES "${PROJECT_SOURCE_DIR}/packaging/copyright" DESTINATION ${release_doc_dir})
  set(generated "${CMAKE_BINARY_DIR}/generated")
  configure_file("${PROJECT_SOURCE_DIR}/docs/themepack.1" "${generated}/themepack.1" @ONLY)
  configure_file("${PROJECT_SOURCE_DIR}/packaging/changelog" "${generated}/changelog" @ONLY)
  find_program(GZIP gzip REQUIRED)
  add_custom_command(OUTPUT "${generated}/themepack.1.gz" "${generated}/changelog.gz"
    COMMAND ${GZIP} -9nkf "${generated}/themepack.1" "${generated}/changelog"
    DEPENDS "${generated}/themepack.1" "${generated}/changelog"
    COMMENT "Compressing the manual page and the changelog")
  add_custom_target(compressed_docs ALL DEPENDS "${generated}/themepack.1.gz" "${generated}/changelog.gz")
  install(FILES "${generated}/themepack.1.gz" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES "${generated}/changelog.gz" DESTINATION ${release_doc_dir})
endif()

# The release package of this build tree: `cpack --config ReleasePackage.cmake`
# in it makes the Debian package on Linux and the zip on Windows. (CPack's
# own module would add a target named "package", the name of a part, and so
# would a file of its usual name here.)
if(WIN32)
  set(release_generator ZIP)
else()
  set(release_generator DEB)
endif()
configure_file("${PROJECT_SOURCE_DIR}/packaging/ReleasePackage.cmake.in" "${CMAKE_BINARY_DIR}/ReleasePackage.cmake" @ONLY)
