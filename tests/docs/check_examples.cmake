# Runs every example of the reference pages through the real host and
# compares what it prints with what the page says; checks that the reference
# has one section per export, in the order of `vyxmath --list`, each with two
# to four examples.
# Each section opens with its export's summary from the descriptions beside
# the export table, the line `vyxmath --list` and `--help` show.
# Usage: cmake -DHOST=<vyxmath> -DREFERENCE=<reference.md> -DPAGES=<page;...>
#              -DDESCRIPTIONS=<export_help.inc> -P check_examples.cmake
#
# An example is an indented block: a line "$ vyxmath ARG..." (arguments as a
# shell would split them), then the lines the host prints.
cmake_minimum_required(VERSION 3.25)

set(failures "")
macro(fail text)
  string(APPEND failures "${text}\n")
endmacro()

# examples_of(TEXT RESULT): the example blocks of TEXT.
function(examples_of text result)
  string(REGEX MATCHALL "    \\$ vyxmath [^\n]*\n(    [^$\n][^\n]*\n)*" blocks "${text}")
  set(${result} "${blocks}" PARENT_SCOPE)
endfunction()

set(example_count 0)
foreach(page ${REFERENCE} ${PAGES})
  file(READ ${page} text)
  examples_of("${text}" blocks)
  if(NOT blocks)
    fail("${page}: no examples")
  endif()
  foreach(block IN LISTS blocks)
    string(REGEX REPLACE "\n$" "" block "${block}")
    string(REPLACE "\n" ";" lines "${block}")
    list(POP_FRONT lines command)
    string(REGEX REPLACE "^    \\$ vyxmath " "" command "${command}")
    set(expected "")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^    " "" line "${line}")
      string(APPEND expected "${line}\n")
    endforeach()
    if(expected STREQUAL "")
      set(expected "\n")  # a call that leaves p1 empty prints an empty line
    endif()
    separate_arguments(arguments UNIX_COMMAND "${command}")
    execute_process(COMMAND ${HOST} ${arguments}
      OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
    math(EXPR example_count "${example_count} + 1")
    if(NOT status EQUAL 0 OR NOT output STREQUAL expected)
      fail("${page}: vyxmath ${command}\n  page says: ${expected}  host prints (status ${status}): ${output}${errors}")
    endif()
  endforeach()
endforeach()

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
message(STATUS "${example_count} examples agree with the host; ${export_count} exports in order")
