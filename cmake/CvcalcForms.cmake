# Form descriptions compiled at build time.
#
#   cvcalc_forms(TARGET FORMS <description> [<description> ...] [DEPENDS <file> ...])
#
# compiles each description with formc into the binary form stream and
# embeds it (type cvcalc::RT_RCDATA) under its form class's name in upper
# case; TARGET is an interface library, and whoever links it gets the
# streams.  The class is the first word of the description after comments
# (and after the record keywords inherited / inline).  DEPENDS lists the
# files the descriptions read (bitmaps, binary data), so edits rebuild them.

function(cvcalc_forms target)
  cmake_parse_arguments(ARG "" "" "FORMS;DEPENDS" ${ARGN})
  if(NOT ARG_FORMS)
    message(FATAL_ERROR "cvcalc_forms(${target}): FORMS names no description")
  endif()
  if(NOT TARGET formc)
    message(FATAL_ERROR "cvcalc_forms(${target}): the formc tool (tools/formc) is not part of the build")
  endif()
  set(entries)
  set(streams)
  foreach(form ${ARG_FORMS})
    if(NOT IS_ABSOLUTE ${form})
      set(form ${CMAKE_CURRENT_SOURCE_DIR}/${form})
    endif()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${form})
    file(READ ${form} text)
    string(REGEX REPLACE "#[^\n]*" "" text "${text}")
    string(REGEX REPLACE "(^|[ \t\r\n])prefix[ \t\r\n]*\\([^)]*\\)" " " text "${text}")
    string(REGEX REPLACE "(^|[ \t\r\n])position[ \t\r\n]+int(8|16|32)[ \t\r\n]*\\([^)]*\\)" " " text "${text}")
    string(REGEX REPLACE "(^|[ \t\r\n])(inherited|inline|position[ \t\r\n]+[-+0-9a-fA-Fx]+)[ \t\r\n]" " " text "${text}")
    string(REGEX MATCH "[A-Za-z_][A-Za-z0-9_]*" class "${text}")
    if(NOT class)
      message(FATAL_ERROR "cvcalc_forms(${target}): ${form} names no form class")
    endif()
    string(TOUPPER ${class} name)
    get_filename_component(stem ${form} NAME_WE)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_${stem}.stream)
    add_custom_command(
      OUTPUT ${out}
      COMMAND formc compile ${form} ${out}
      DEPENDS formc ${form} ${ARG_DEPENDS}
      COMMENT "Compiling form description ${stem}"
      VERBATIM)
    list(APPEND entries cvcalc::RT_RCDATA ${name} ${out})
    list(APPEND streams ${out})
  endforeach()
  cvcalc_resources(${target} ENTRIES ${entries})
endfunction()
