# The skin package: skin/ (and any extra folders) zipped flat at build time and embedded
# as the resource type "ZIPRES", name "SKINDATA".
find_package(Python3 REQUIRED COMPONENTS Interpreter)

# tessa_skin_package(<zip> <folder>...): a rule that makes <zip> from the folders' files.
function(tessa_skin_package zip)
  set(inputs)
  foreach(folder ${ARGN})
    file(GLOB files CONFIGURE_DEPENDS ${folder}/*)
    # The folder too: its time changes when a file is added, renamed or removed.
    list(APPEND inputs ${files} ${folder})
  endforeach()
  add_custom_command(OUTPUT ${zip}
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/ui/pack_skin.py ${zip} ${ARGN}
    DEPENDS ${inputs} ${PROJECT_SOURCE_DIR}/ui/pack_skin.py
    COMMENT "Packing the skin into ${zip}")
endfunction()

# tessa_embed_skin(<target> [<zip>]): embeds the zip (default: the program's skin package)
# into <target> as ZIPRES/SKINDATA.
function(tessa_embed_skin target)
  set(zip ${ARGN})
  if(NOT zip)
    set(zip ${TESSA_SKIN_ZIP})
  endif()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_skin.rc)
  file(WRITE ${rc} "SKINDATA ZIPRES \"${zip}\"\n")
  target_sources(${target} PRIVATE ${rc})
  # windres reads the zip but CMake cannot see that dependency by itself.
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${zip})
  # A target in another folder cannot depend on the zip file alone; on its rule it can.
  if(zip STREQUAL TESSA_SKIN_ZIP)
    add_dependencies(${target} skin_package)
  endif()
endfunction()

set(TESSA_SKIN_ZIP ${CMAKE_BINARY_DIR}/skin/skin.zip CACHE INTERNAL "the program's skin package")
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/skin)
tessa_skin_package(${TESSA_SKIN_ZIP} ${PROJECT_SOURCE_DIR}/skin)
add_custom_target(skin_package ALL DEPENDS ${TESSA_SKIN_ZIP})
