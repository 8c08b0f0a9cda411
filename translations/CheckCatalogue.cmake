# The catalogue is complete: lupdate run over the program's sources (as
# `update_translations` runs it) into a copy of cvcalc_en.ts finds no source
# text without a finished translation, and no translation whose text has
# left the sources.  Fails with the texts that need work.
#
#   cmake -DLUPDATE=... -DTS=... -DSOURCES_LIST=... -DOPTIONS=... -DWORK=... -P CheckCatalogue.cmake
file(MAKE_DIRECTORY ${WORK})
set(copy ${WORK}/cvcalc_en.ts)
file(COPY_FILE ${TS} ${copy})
separate_arguments(options UNIX_COMMAND "${OPTIONS}")
execute_process(
  COMMAND ${LUPDATE} ${options} @${SOURCES_LIST} -ts ${copy}
  RESULT_VARIABLE status
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lupdate failed (${status}):\n${output}")
endif()
file(READ ${copy} catalogue)
string(REGEX MATCHALL "<message>[^<]*(<comment>[^<]*</comment>[^<]*)?<source>[^<]*</source>[^<]*(<comment>[^<]*</comment>[^<]*)?<translation type=\"(unfinished|vanished|obsolete)\"" problems "${catalogue}")
# lupdate's own count of the texts it found.
string(REGEX MATCH "Found [0-9]+ source text\\(s\\) \\([0-9]+ new" found "${output}")
string(REGEX MATCH "\\(([0-9]+) new" new "${found}")
message(STATUS "${found}")
list(LENGTH problems count)
if(count GREATER 0 OR NOT CMAKE_MATCH_1 EQUAL 0)
  set(listing "")
  foreach(problem IN LISTS problems)
    string(REGEX REPLACE ".*<source>([^<]*)</source>.*type=\"([a-z]+)\"" "  \\2: \\1" line "${problem}")
    string(APPEND listing "${line}\n")
  endforeach()
  message(FATAL_ERROR "translations/cvcalc_en.ts is not complete: ${count} text(s) need work (run the "
                      "update_translations target and translate them):\n${listing}")
endif()
