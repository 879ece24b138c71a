# Parts: one static library per folder, whose headers only that library and
# the targets linking it can include. Each part's include directory is a
# view in the build tree holding one link, to the part's own folder, so an
# include of a part that the link dependencies do not allow fails to compile.

# part_view(TARGET FOLDER): FOLDER (relative to the source tree) becomes
# includable, as "FOLDER/Name.h", by TARGET and whatever links it.
function(part_view target folder)
  set(view "${CMAKE_BINARY_DIR}/views/${target}")
  file(REMOVE_RECURSE "${view}")
  get_filename_component(parent "${view}/${folder}" DIRECTORY)
  file(MAKE_DIRECTORY "${parent}")
  file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${folder}" "${view}/${folder}" SYMBOLIC)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE "${view}")
  else()
    target_include_directories(${target} PUBLIC "${view}")
  endif()
endfunction()

# add_part(NAME SOURCES file... [USES target...]): the static library of the
# current folder; USES are the parts and system libraries it may use.
function(add_part name)
  cmake_parse_arguments(PARSE_ARGV 1 part "" "" "SOURCES;USES")
  add_library(${name} STATIC ${part_SOURCES})
  target_compile_options(${name} PRIVATE ${project_warnings})
  file(RELATIVE_PATH folder "${PROJECT_SOURCE_DIR}" "${CMAKE_CURRENT_SOURCE_DIR}")
  part_view(${name} "${folder}")
  target_link_libraries(${name} PUBLIC ${part_USES})
endfunction()

# portable_part(TARGET): TARGET builds on any system; on Windows its sources
# meet a windows.h that stops the build, so a Windows header cannot creep in.
function(portable_part target)
  target_include_directories(${target} BEFORE PRIVATE "${PROJECT_SOURCE_DIR}/cmake/portable")
endfunction()
