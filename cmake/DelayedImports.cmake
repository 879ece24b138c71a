# Delayed imports of USER32 and GDI32 for the Windows builds. Wine's own
# user32 imports libraries that are not known to the system (version.dll
# among them), and a library imported at process start is looked for in the
# program's folder first: a package run from a downloads folder would load
# whatever lies there under that name before its first instruction runs.
# Bound on first use instead, after the program has taken its folder out of
# the search, these libraries and everything they import come from the
# system folder. The import libraries are made here from the toolchain's
# own, so every function the toolchain declares is covered.
#
# delayed_imports(library...): an imported target delayed_<library> for each.
function(delayed_imports)
  set(toolchain_lib "/usr/${MINGW_TRIPLET}/lib")
  if(MINGW_TRIPLET STREQUAL "i686-w64-mingw32")
    set(prefix "__imp__")
    set(kill_at -k)  # import by the plain name, as the system exports it
  else()
    set(prefix "__imp_")
    set(kill_at "")
  endif()
  set(folder "${CMAKE_BINARY_DIR}/delayed")
  file(MAKE_DIRECTORY "${folder}")
  foreach(library IN LISTS ARGN)
    set(source "${toolchain_lib}/lib${library}.a")
    set(output "${folder}/lib${library}_delayed.a")
    execute_process(COMMAND ${MINGW_TRIPLET}-nm "${source}"
                    OUTPUT_VARIABLE symbols RESULT_VARIABLE status ERROR_QUIET)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "cannot read the import library ${source}")
    endif()
    string(TOUPPER "${library}" upper)
    set(def "LIBRARY ${upper}.dll\nEXPORTS\n")
    string(REGEX MATCHALL " I ${prefix}[^\n]+" imports "${symbols}")
    string(LENGTH " I ${prefix}" skip)
    set(names "")
    foreach(import IN LISTS imports)
      string(SUBSTRING "${import}" ${skip} -1 name)
      list(APPEND names "${name}")
    endforeach()
    list(REMOVE_DUPLICATES names)
    list(JOIN names "\n" lines)
    file(WRITE "${folder}/${library}.def" "${def}${lines}\n")
    execute_process(COMMAND ${MINGW_TRIPLET}-dlltool ${kill_at} -d "${folder}/${library}.def" -y "${output}"
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "cannot make the delayed import library of ${library}")
    endif()
    add_library(delayed_${library} STATIC IMPORTED GLOBAL)
    set_target_properties(delayed_${library} PROPERTIES IMPORTED_LOCATION "${output}")
  endforeach()
endfunction()
