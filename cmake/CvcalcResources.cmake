# Embedded resources: files compiled into the program as byte arrays and
# registered in the resource table under a type and a name.
#
#   cvcalc_resources(TARGET ENTRIES <type> <name> <file> [<type> <name> <file> ...])
#
# creates an interface library TARGET; whoever links it gets the resources.
# The registrations are static objects, so the archive is linked whole:
# nothing references its members by symbol.

set(CVCALC_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedFile.cmake)

function(cvcalc_resources target)
  cmake_parse_arguments(ARG "" "" "ENTRIES" ${ARGN})
  list(LENGTH ARG_ENTRIES count)
  math(EXPR rest "${count} % 3")
  if(NOT rest EQUAL 0 OR count EQUAL 0)
    message(FATAL_ERROR "cvcalc_resources(${target}): ENTRIES takes triples of type, name and file")
  endif()
  set(generated)
  set(index 0)
  while(index LESS count)
    list(GET ARG_ENTRIES ${index} type)
    math(EXPR index "${index} + 1")
    list(GET ARG_ENTRIES ${index} name)
    math(EXPR index "${index} + 1")
    list(GET ARG_ENTRIES ${index} file)
    math(EXPR index "${index} + 1")
    if(NOT IS_ABSOLUTE ${file})
      set(file ${CMAKE_CURRENT_SOURCE_DIR}/${file})
    endif()
    string(MAKE_C_IDENTIFIER "${target}_${name}" ident)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/${ident}.cpp)
    add_custom_command(
      OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -DINPUT=${file} -DOUTPUT=${out} -DTYPE=${type}
              -DNAME=${name} -DIDENT=${ident} -P ${CVCALC_EMBED_SCRIPT}
      DEPENDS ${file} ${CVCALC_EMBED_SCRIPT}
      COMMENT "Embedding ${name}"
      VERBATIM)
    list(APPEND generated ${out})
  endwhile()
  add_library(${target}_archive STATIC ${generated})
  target_include_directories(${target}_archive PRIVATE ${PROJECT_SOURCE_DIR})
  add_library(${target} INTERFACE)
  target_link_libraries(${target} INTERFACE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${target}_archive>")
endfunction()
