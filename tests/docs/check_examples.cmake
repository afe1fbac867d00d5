# Runs every call that a documentation page shows through the real host and
# compares what the host writes with what the page says.
#
# Two forms of call are run:
#
# - An example: an indented block, a line "$ vyxmath ARG..." (arguments as a
#   shell would split them), then what the host writes. Lines that begin with
#   "vyxmath: " are what it writes to standard error, every other line what
#   it writes to standard output; both must match, and the call must succeed.
#   A block with no output line stands for the one empty line of a call that
#   leaves p1 empty.
# - A claim in the prose: `n_export ARG...` → `RESULT`, the call in one code
#   span, an arrow, the one line it prints in another. A claim's call writes
#   nothing to standard error (a call that warns is shown as an example).
#
# The host runs in the C locale, so its messages are the English ones.
# Usage: cmake -DHOST=<vyxmath> -DPAGES=<page.md;...> -P check_examples.cmake
# With -DCALLS_OUT=<file> (and no HOST) nothing is run: the calls of the
# pages that name an export are written to the file as batch lines, for
# another host to make (the Windows host's test compares its answers to
# them with the native host's).
cmake_minimum_required(VERSION 3.25)

set(ENV{LC_ALL} C)
set(ENV{LANG} C)
set(ENV{LANGUAGE} "")

set(failures "")
macro(fail text)
  string(APPEND failures "${text}\n")
endmacro()

# run_call(PAGE COMMAND STDOUT STDERR): runs the host with the arguments of
# COMMAND and fails unless it succeeds and writes exactly STDOUT and STDERR.
function(run_call page command expected_out expected_err)
  separate_arguments(arguments UNIX_COMMAND "${command}")
  if(DEFINED CALLS_OUT)
    list(GET arguments 0 first)
    if(first MATCHES "^n_")
      # A batch line: each argument as it is, or quoted where a batch line
      # would read it otherwise.
      set(line "")
      foreach(argument IN LISTS arguments)
        string(REPLACE "<sc>" ";" argument "${argument}")
        if(argument STREQUAL "" OR argument MATCHES "[ \t\"\\#]")
          string(REPLACE "\\" "\\\\" argument "${argument}")
          string(REPLACE "\"" "\\\"" argument "${argument}")
          string(REPLACE "\t" "\\t" argument "${argument}")
          set(argument "\"${argument}\"")
        endif()
        string(APPEND line " ${argument}")
      endforeach()
      string(STRIP "${line}" line)
      file(APPEND "${CALLS_OUT}" "${line}\n")
    endif()
    return()
  endif()
  execute_process(COMMAND ${HOST} ${arguments}
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
  # The page's texts have their semicolons as "<sc>" (see below).
  string(REPLACE ";" "<sc>" out "${out}")
  string(REPLACE ";" "<sc>" err "${err}")
  if(NOT status EQUAL 0 OR NOT out STREQUAL expected_out OR NOT err STREQUAL expected_err)
    set(failures "${failures}${page}: vyxmath ${command}\n  page says:   ${expected_err}${expected_out}  host writes (status ${status}): ${err}${out}\n" PARENT_SCOPE)
  endif()
endfunction()

set(summary "")
if(DEFINED CALLS_OUT)
  file(WRITE "${CALLS_OUT}" "")
endif()
foreach(page IN LISTS PAGES)
  file(READ ${page} text)
  # Semicolons would split CMake lists: they stand as "<sc>" in both texts.
  string(REPLACE ";" "<sc>" text "${text}")

  string(REGEX MATCHALL "\n    \\$ vyxmath [^\n]*(\n    [^$\n][^\n]*)*" blocks "${text}")
  set(example_count 0)
  foreach(block IN LISTS blocks)
    string(REPLACE "\n" ";" lines "${block}")
    list(POP_FRONT lines)  # the empty piece before the first line break
    list(POP_FRONT lines command)
    string(REGEX REPLACE "^    \\$ vyxmath " "" command "${command}")
    set(expected_out "")
    set(expected_err "")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^    " "" line "${line}")
      if(line MATCHES "^vyxmath: ")
        string(APPEND expected_err "${line}\n")
      else()
        string(APPEND expected_out "${line}\n")
      endif()
    endforeach()
    if(expected_out STREQUAL "")
      set(expected_out "\n")
    endif()
    run_call(${page} "${command}" "${expected_out}" "${expected_err}")
    math(EXPR example_count "${example_count} + 1")
  endforeach()

  string(REGEX MATCHALL "`n_[a-z]+[^`\n]*`[ \n]+→[ \n]+`[^`\n]*`" claims "${text}")
  set(claim_count 0)
  foreach(claim IN LISTS claims)
    string(REGEX MATCH "^`(n_[^`]*)`[ \n]+→[ \n]+`([^`]*)`$" matched "${claim}")
    run_call(${page} "${CMAKE_MATCH_1}" "${CMAKE_MATCH_2}\n" "")
    math(EXPR claim_count "${claim_count} + 1")
  endforeach()

  if(example_count EQUAL 0)
    fail("${page}: no examples")
  endif()
  string(APPEND summary "\n  ${page}: ${example_count} examples, ${claim_count} claims in the prose")
endforeach()

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
if(DEFINED CALLS_OUT)
  message(STATUS "the calls written to ${CALLS_OUT}:${summary}")
else()
  message(STATUS "every call agrees with the host:${summary}")
endif()
