# Checks the layout of the reference: one section per export, in the order of
# `vyxmath --list`, two to four examples each, each opening with its export's
# summary from the descriptions beside the export table (the line that
# `vyxmath --list` and `--help` show).
# Usage: cmake -DHOST=<vyxmath> -DREFERENCE=<reference.md>
#              -DDESCRIPTIONS=<export_help.inc> -P check_reference.cmake
cmake_minimum_required(VERSION 3.25)

set(failures "")
macro(fail text)
  string(APPEND failures "${text}\n")
endmacro()

function(examples_of text result)
  string(REGEX MATCHALL "    \\$ vyxmath [^\n]*\n(    [^$\n][^\n]*\n)*" blocks "${text}")
  set(${result} "${blocks}" PARENT_SCOPE)
endfunction()


# The reference: the sections follow `vyxmath --list`, two to four examples each.
execute_process(COMMAND ${HOST} --list OUTPUT_VARIABLE listing RESULT_VARIABLE status)
string(REGEX MATCHALL "\nn_[a-z]+" listed "${listing}")
string(REPLACE "\n" "" listed "${listed}")
file(READ ${REFERENCE} text)
string(REGEX MATCHALL "\n## n_[a-z]+\n" headings "${text}")
string(REGEX REPLACE "\n## (n_[a-z]+)\n" "\\1" sections "${headings}")
list(LENGTH listed export_count)
if(NOT status EQUAL 0 OR export_count EQUAL 0 OR NOT sections STREQUAL listed)
  fail("${REFERENCE}: sections\n  ${sections}\nare not the exports of vyxmath --list in its order\n  ${listed}")
endif()
string(REPLACE ";" "," text "${text}")
string(REPLACE "\n## n_" ";n_" parts "${text}")
list(POP_FRONT parts)
foreach(part IN LISTS parts)
  string(REGEX MATCH "^n_[a-z]+" name "${part}")
  examples_of("${part}" blocks)
  list(LENGTH blocks count)
  if(count LESS 2 OR count GREATER 4)
    fail("${REFERENCE}: ${name} has ${count} examples, not two to four")
  endif()
endforeach()

# The summaries: "VYX_HELP(n_tasu, "the sum ...", ...)" opens the section
# "## n_tasu" as "The sum ....". Semicolons, which would split CMake lists,
# are compared as "<sc>".
file(READ ${DESCRIPTIONS} descriptions)
file(READ ${REFERENCE} text)
string(REPLACE ";" "<sc>" descriptions "${descriptions}")
string(REPLACE ";" "<sc>" text "${text}")
string(REGEX MATCHALL "\nVYX_HELP\\(n_[a-z]+, \"[^\"]*\"" rows "${descriptions}")
list(LENGTH rows row_count)
if(NOT row_count EQUAL export_count)
  fail("${DESCRIPTIONS}: ${row_count} descriptions for ${export_count} exports")
endif()
foreach(row IN LISTS rows)
  string(REGEX MATCH "(n_[a-z]+), \"(.)(.*)\"" matched "${row}")
  set(name ${CMAKE_MATCH_1})
  string(TOUPPER "${CMAKE_MATCH_2}" first)
  set(summary "${first}${CMAKE_MATCH_3}.")
  string(FIND "${text}" "\n## ${name}\n\n${summary}\n" at)
  if(at EQUAL -1)
    string(REPLACE "<sc>" "," summary "${summary}")
    fail("${REFERENCE}: ${name} does not open with its summary \"${summary}\" (semicolons shown as commas)")
  endif()
endforeach()

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
message(STATUS "${export_count} exports in order, each with its summary")
