# Form descriptions and pictures built into a program as resources:
#
#   korvane_form_resources(TARGET <target> FORMS <Form1.form ...> [PICTURES <Exit.bmp ...>])
#
# Each description becomes a resource of type FORMDESC named after its file (Form1.form -> "Form1"), which
# the form of that name loads; each picture a bitmap resource named after its file (Exit.bmp -> "Exit"),
# which a description names in its `picture` property or in a picture property of a hosted control.
include_guard(GLOBAL)

function(korvane_form_resources)
  cmake_parse_arguments(R "" "TARGET" "FORMS;PICTURES" ${ARGN})
  set(lines "")
  set(inputs "")
  foreach(file IN LISTS R_FORMS R_PICTURES)
    get_filename_component(path ${file} ABSOLUTE)
    get_filename_component(name ${file} NAME_WE)
    list(APPEND inputs ${path})
    if(file IN_LIST R_FORMS)
      string(APPEND lines "${name} FORMDESC \"${path}\"\n")
    else()
      string(APPEND lines "${name} BITMAP \"${path}\"\n")
    endif()
  endforeach()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${R_TARGET}_forms.rc)
  file(GENERATE OUTPUT ${rc} CONTENT "${lines}")
  target_sources(${R_TARGET} PRIVATE ${rc})
  # The resource compiler names no inputs of its own: a changed description or picture rebuilds the file.
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${inputs}")
endfunction()
