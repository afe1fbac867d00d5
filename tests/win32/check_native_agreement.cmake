# Runs the same few thousand calls, and the calls of the documentation
# pages, through the native host and, under wine,
# through vyxmath.exe with "VYXmath.vyk", and requires the two outputs to be
# identical line for line: every export, at 17 significant digits where it
# writes text, so any difference in the last bit of a double shows.
#
#   cmake -DNATIVE_HOST=<build/native/bin/vyxmath> -DWINDOWS_HOST=<vyxmath.exe>
#         -DWINE_RUN=<wine-run.sh> -DWINE_PREFIX=<dir> -DEXPORT_LIST=<export_list.inc>
#         -DWORK_DIR=<dir> -P check_native_agreement.cmake
#
# The calls are made from the export list by slot kind, so a new export is
# covered without a change here.
cmake_minimum_required(VERSION 3.25)

if(NOT EXISTS "${NATIVE_HOST}")
  message(FATAL_ERROR "${NATIVE_HOST} is missing: build the native host first (cmake --build --preset native)")
endif()

# Operands by slot kind. Texts cover zeros of both signs, the ends of the
# double range, subnormals, overflow on reading, angles in degrees, values
# that are not numbers, and the other exponent letter; the last four are
# hardest-to-round arguments of sin, tan, asin and atan, whose results come
# from the angle functions' last, wide phase.
set(texts 0 -0 1 -1 0.5 -0.5 2 3 0.1 0.3 1.5 7.5 -7.5 10 45 90 180 360 1e-5 1e10 -1e10 1e22 1e23
    123456789012345678901234567890 1.7976931348623157e308 4.9e-324 2.2250738585072014e-308
    1e400 -1e400 0.7071067811865476 3.141592653589793 710 -745 abc 1D3 .5e-1
    1150.5775613589922 4.470348358154178e-07 2.149119332890821e-08 166019860.25436115)
# Exports whose work grows with the operand (500 steps per unit of x) get
# operands of moderate size only; their large operands are left to the vectors.
set(work_grows_with_operand n_seikibunpu)
set(moderate_texts 0 -0 1 -1 0.5 -0.5 1.96 3 -3 0.1 7.5 -7.5 10 45 -0.9 1e-5 4.9e-324 abc)
# Fewer for exports with two operands, as every pair is called.
set(pair_texts 0 -0 1 -1 0.5 3 0.1 7.5 -7.5 1e10 1e-5 1e300 1e400 abc)
# Integer operands are also loop counts (factorial, Fibonacci, binomial
# steps, trial divisions), so positive ones stay small enough to be quick;
# wrap-around still happens from 13! and the 47th Fibonacci number on.
set(integers -2147483648 -100 -5 -1 0 1 2 5 12 13 33 34 46 47 1000 65537 99991)
set(pair_integers -2147483648 -6 -1 0 1 4 6 12 13 34 47 1000)
set(shift_values -2147483648 -5 -1 0 1 305419896 2147483647)
set(shift_counts -1 0 1 5 31 32 33)
set(directions 0 1 2)
set(digit_counts 0 17)
set(angle_units 0 1)

# Random operands besides: a few chosen texts cannot reach every table row
# and phase of the real-valued functions, nor the reader's and writer's
# routes for every digit pattern. 17 significant digits, both signs,
# magnitudes from 1e-8 to about 1e5 (second operands of a pair below 100,
# so that powers stay mostly finite); seeded, so that a failure repeats.
set(random_count 500)
string(RANDOM LENGTH 1 RANDOM_SEED 20261208 _)
function(random_operands out exponents)
  set(texts "")
  list(LENGTH exponents exponent_count)
  foreach(i RANGE 1 ${random_count})
    string(RANDOM LENGTH 20 ALPHABET 0123456789 r)
    string(SUBSTRING "${r}" 0 1 sign_digit)
    string(SUBSTRING "${r}" 1 2 exponent_pick)
    string(SUBSTRING "${r}" 3 1 lead)
    string(SUBSTRING "${r}" 4 16 fraction)
    math(EXPR exponent_index "${exponent_pick} % ${exponent_count}")
    list(GET exponents ${exponent_index} e)
    set(sign "")
    if(sign_digit LESS 5)
      set(sign "-")
    endif()
    list(APPEND texts "${sign}${lead}.${fraction}e${e}")
  endforeach()
  set(${out} "${texts}" PARENT_SCOPE)
endfunction()
random_operands(random_texts "-8;-2;-1;-1;0;0;0;0;1;1;1;2;2;3;4")
random_operands(random_second_texts "-2;-1;0;0;0;1")
# Random whole numbers for the two-integer exports (binomial rows with their
# climbs, falls and cycles, and wrapped factorials), small enough that every
# loop stays short. The digits get a leading 1 so that no value reads as
# octal.
function(random_integers out low high)
  set(values "")
  math(EXPR span "${high} - ${low} + 1")
  foreach(i RANGE 1 ${random_count})
    string(RANDOM LENGTH 6 ALPHABET 0123456789 r)
    math(EXPR v "${low} + 1${r} % ${span}")
    list(APPEND values ${v})
  endforeach()
  set(${out} "${values}" PARENT_SCOPE)
endfunction()
random_integers(random_row_numbers -3000 3000)
random_integers(random_row_steps -10 3000)

file(STRINGS "${EXPORT_LIST}" rows REGEX "^VYX_EXPORT\\(")
set(calls "")
set(call_count 0)
macro(add_call line)
  string(APPEND calls "${line}\n")
  math(EXPR call_count "${call_count} + 1")
endmacro()

foreach(row IN LISTS rows)
  string(REGEX MATCH "^VYX_EXPORT\\(([a-z_]+), *([A-Z_]+), *([A-Z_]+), *([A-Z_]+), *([A-Z_]+)\\)" _ "${row}")
  set(name ${CMAKE_MATCH_1})
  set(kinds "${CMAKE_MATCH_2} ${CMAKE_MATCH_3} ${CMAKE_MATCH_4} ${CMAKE_MATCH_5}")
  if(kinds STREQUAL "TEXT_IN_OUT TEXT_IN DIGITS IGNORED")
    foreach(a IN LISTS pair_texts)
      foreach(b IN LISTS pair_texts)
        foreach(d IN LISTS digit_counts)
          add_call("${name} ${a} ${b} ${d}")
        endforeach()
      endforeach()
    endforeach()
    foreach(a b IN ZIP_LISTS random_texts random_second_texts)
      add_call("${name} ${a} ${b} 17")
    endforeach()
  elseif(kinds STREQUAL "TEXT_OUT TEXT_IN ANGLE_UNIT DIGITS")
    foreach(x IN LISTS texts)
      foreach(u IN LISTS angle_units)
        foreach(d IN LISTS digit_counts)
          add_call("${name} ${x} ${u} ${d}")
        endforeach()
      endforeach()
    endforeach()
    set(u 0)
    foreach(x IN LISTS random_texts)
      add_call("${name} ${x} ${u} 17")
      math(EXPR u "1 - ${u}")
    endforeach()
  elseif(kinds STREQUAL "TEXT_OUT TEXT_IN DIGITS IGNORED")
    set(operands ${texts})
    set(random_operands ${random_texts})
    if(name IN_LIST work_grows_with_operand)
      set(operands ${moderate_texts})
      set(random_operands "")
    endif()
    foreach(x IN LISTS operands)
      foreach(d IN LISTS digit_counts)
        add_call("${name} ${x} ${d}")
      endforeach()
    endforeach()
    foreach(x IN LISTS random_operands)
      add_call("${name} ${x} 17")
    endforeach()
  elseif(kinds STREQUAL "TEXT_OUT TEXT_IN INT_IN DIGITS")
    foreach(x IN LISTS pair_texts)
      foreach(k IN LISTS pair_integers)
        foreach(d IN LISTS digit_counts)
          add_call("${name} ${x} ${k} ${d}")
        endforeach()
      endforeach()
    endforeach()
  elseif(kinds STREQUAL "INT_OUT TEXT_IN IGNORED IGNORED")
    foreach(x IN LISTS texts)
      add_call("${name} ${x}")
    endforeach()
  elseif(kinds STREQUAL "INT_OUT INT_IN IGNORED IGNORED" OR kinds STREQUAL "INT_IN IGNORED IGNORED IGNORED")
    foreach(n IN LISTS integers)
      add_call("${name} ${n}")
    endforeach()
  elseif(kinds STREQUAL "INT_OUT INT_IN INT_IN IGNORED")
    foreach(a IN LISTS pair_integers)
      foreach(b IN LISTS pair_integers)
        add_call("${name} ${a} ${b}")
      endforeach()
    endforeach()
    foreach(a b IN ZIP_LISTS random_row_numbers random_row_steps)
      add_call("${name} ${a} ${b}")
    endforeach()
  elseif(kinds STREQUAL "INT_OUT INT_IN INT_IN INT_IN")
    foreach(v IN LISTS shift_values)
      foreach(c IN LISTS shift_counts)
        foreach(r IN LISTS directions)
          add_call("${name} ${v} ${c} ${r}")
        endforeach()
      endforeach()
    endforeach()
  else()
    message(FATAL_ERROR "no calls for ${name} with slots ${kinds}: add its kinds here")
  endif()
endforeach()

file(MAKE_DIRECTORY "${WORK_DIR}")

# Every call the documentation pages show, too (-DPAGES, -DEXAMPLES_SCRIPT):
# their own test holds the native host's answers to the pages, so the same
# answers here hold the Windows module to them as well.
if(DEFINED PAGES)
  set(page_calls_file "${WORK_DIR}/pages.calls")
  execute_process(COMMAND ${CMAKE_COMMAND} "-DPAGES=${PAGES}" -DCALLS_OUT=${page_calls_file}
                          -P ${EXAMPLES_SCRIPT}
                  OUTPUT_QUIET RESULT_VARIABLE extract_status)
  if(NOT extract_status EQUAL 0)
    message(FATAL_ERROR "could not read the calls of ${PAGES}")
  endif()
  file(READ "${page_calls_file}" page_calls)
  string(APPEND calls "${page_calls}")
  string(REGEX MATCHALL "\n" page_line_ends "${page_calls}")
  list(LENGTH page_line_ends page_call_count)
  math(EXPR call_count "${call_count} + ${page_call_count}")
endif()

set(calls_file "${WORK_DIR}/agreement.calls")
file(WRITE "${calls_file}" "${calls}")

# --quiet: many calls pass bad operands on purpose, and their warnings are
# not what this test compares.
execute_process(COMMAND "${NATIVE_HOST}" --quiet - INPUT_FILE "${calls_file}"
                OUTPUT_FILE "${WORK_DIR}/native.out" RESULT_VARIABLE native_status)
execute_process(COMMAND "${WINE_RUN}" --prefix "${WINE_PREFIX}" "${WINDOWS_HOST}" --quiet - INPUT_FILE "${calls_file}"
                OUTPUT_FILE "${WORK_DIR}/windows.out" RESULT_VARIABLE windows_status)

# The lines of a file, empty ones kept (a call that leaves p1 empty prints
# an empty line), without carriage returns.
function(read_lines file out)
  file(READ "${file}" text)
  string(REPLACE "\r" "" text "${text}")
  string(REPLACE ";" "<sc>" text "${text}")
  string(REGEX REPLACE "\n$" "" text "${text}")
  string(REPLACE "\n" ";" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()
read_lines("${calls_file}" call_lines)
read_lines("${WORK_DIR}/native.out" native_lines)
read_lines("${WORK_DIR}/windows.out" windows_lines)
list(LENGTH native_lines native_count)
list(LENGTH windows_lines windows_count)

set(failures 0)
if(NOT native_status STREQUAL windows_status)
  message("FAILED: exit status native ${native_status}, Windows ${windows_status}")
  math(EXPR failures "${failures} + 1")
endif()
if(NOT native_count EQUAL call_count OR NOT windows_count EQUAL call_count)
  message("FAILED: ${call_count} calls, ${native_count} native and ${windows_count} Windows output lines")
  math(EXPR failures "${failures} + 1")
endif()

# The first mismatches are listed, the rest counted: one fault usually
# shows in thousands of calls.
set(shown 0)
set(agreeing 0)
foreach(call native windows IN ZIP_LISTS call_lines native_lines windows_lines)
  if(DEFINED native AND DEFINED windows AND native STREQUAL windows)
    math(EXPR agreeing "${agreeing} + 1")
  else()
    math(EXPR failures "${failures} + 1")
    if(shown LESS 20)
      message("FAILED: ${call}\n  native:  ${native}\n  Windows: ${windows}")
      math(EXPR shown "${shown} + 1")
    endif()
  endif()
endforeach()

if(failures GREATER shown)
  math(EXPR unlisted "${failures} - ${shown}")
  message("... ${unlisted} more mismatches not listed (all in ${WORK_DIR})")
endif()
message("check_native_agreement: ${agreeing} passed, ${failures} failed")
if(failures GREATER 0)
  message(FATAL_ERROR "the Windows module and the native library disagree")
endif()
