# Writes the bash and zsh completions of vyxmath from the host's own --help
# (the options) and --list (the export names), so they offer what the host
# accepts.
# Usage: cmake -DHOST=<vyxmath> -DSOURCE_DIR=<host/completion> -DOUTPUT_DIR=<dir> -P generate_completions.cmake
cmake_minimum_required(VERSION 3.25)

foreach(option --help --list)
  execute_process(COMMAND ${HOST} ${option} OUTPUT_VARIABLE text RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${HOST} ${option} failed: ${status}")
  endif()
  set(output${option} "${text}")
endforeach()

# The option table runs from "Options:" to the first blank line; each of its
# lines opens with a short form, a long form or both: "  -s, --strict".
string(REGEX MATCH "\nOptions:\n([^\n]+\n)+" table "${output--help}")
string(REGEX MATCHALL "\n  (-[a-zA-Z], |    )--[-a-z]+" heads "${table}")
string(REGEX MATCHALL "-[-a-zA-Z]+" options "${heads}")
string(REGEX MATCHALL "\nn_[a-z]+" exports "${output--list}")
string(REPLACE "\n" "" exports "${exports}")
list(LENGTH exports export_count)
if(NOT export_count EQUAL 35 OR NOT options)
  message(FATAL_ERROR "no options or not 35 exports in the host's help and listing")
endif()

list(JOIN options " " VYXMATH_OPTIONS)
list(JOIN exports " " VYXMATH_EXPORTS)
configure_file(${SOURCE_DIR}/vyxmath.bash.in ${OUTPUT_DIR}/vyxmath @ONLY)
configure_file(${SOURCE_DIR}/_vyxmath.in ${OUTPUT_DIR}/_vyxmath @ONLY)
