# Reads the built "VYXmath.vyk" with binutils, without running it, and checks
# its identity: an i386 DLL whose export directory names it "VYXmath.vyk" and
# holds exactly the 35 decorated exports of the export list, by name, with
# ordinals 1 to 35 in byte order of the names, all pointing into code; no
# imports beyond Windows' own DLLs; and exactly the version resource the
# module is published with; and each export's return removing the bytes of
# arguments that the module-definition file states.
#
#   cmake -DMODULE=<VYXmath.vyk> -DEXPORT_LIST=<export_list.inc>
#         -DMODULE_DEFINITION=<VYXmath.def> -DOBJDUMP=<objdump>
#         -DWINDRES=<windres> -P check_module_file.cmake
cmake_minimum_required(VERSION 3.25)

# expect(<what> <condition>...): one check; the condition is that of if().
set_property(GLOBAL PROPERTY check_passes 0)
set_property(GLOBAL PROPERTY check_failures 0)
function(expect what)
  if(${ARGN})
    set(counter check_passes)
  else()
    set(counter check_failures)
    message("FAILED: ${what}")
  endif()
  get_property(count GLOBAL PROPERTY ${counter})
  math(EXPR count "${count} + 1")
  set_property(GLOBAL PROPERTY ${counter} ${count})
endfunction()

function(run_tool output_var)
  execute_process(COMMAND ${ARGN} OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "'${ARGN}' failed (${result}): ${errors}")
  endif()
  set(${output_var} "${output}" PARENT_SCOPE)
endfunction()

# Splits text into a list of lines (';' would split list items: replaced).
function(lines_of text output_var)
  string(REPLACE ";" "," text "${text}")
  string(REPLACE "\n" ";" text "${text}")
  set(${output_var} "${text}" PARENT_SCOPE)
endfunction()

# --- Headers and sections -------------------------------------------------
run_tool(headers ${OBJDUMP} -p "${MODULE}")
run_tool(sections ${OBJDUMP} -h "${MODULE}")
expect("a 32-bit i386 PE file" headers MATCHES "file format pei-i386")
expect("marked as a DLL" headers MATCHES "Characteristics[^\n]*\n([ \t]+[a-z0-9 ]+\n)*[ \t]+DLL\n")

string(REGEX MATCH "ImageBase[ \t]+([0-9a-fA-F]+)" _ "${headers}")
set(image_base "0x${CMAKE_MATCH_1}")
string(REGEX MATCH "\\.text[ \t]+([0-9a-f]+)[ \t]+([0-9a-f]+)" _ "${sections}")
math(EXPR code_start "0x${CMAKE_MATCH_2} - ${image_base}")
math(EXPR code_end "${code_start} + 0x${CMAKE_MATCH_1}")

# --- Export directory -----------------------------------------------------
string(FIND "${headers}" "The Export Tables" export_at)
expect("has an export directory" NOT export_at EQUAL -1)
string(SUBSTRING "${headers}" ${export_at} -1 exports)
string(FIND "${exports}" "PE File Base Relocations" end_at)
string(SUBSTRING "${exports}" 0 ${end_at} exports)

expect("the export directory names the module VYXmath.vyk" exports MATCHES "\nName[ \t]+[0-9a-f]+ VYXmath\\.vyk\n")
string(REGEX MATCH "Ordinal Base[ \t]+([0-9]+)" _ "${exports}")
set(ordinal_base ${CMAKE_MATCH_1})
expect("ordinal base 1, found ${ordinal_base}" ordinal_base EQUAL 1)
string(REGEX MATCH "Export Address Table[ \t]+([0-9a-f]+)\n" _ "${exports}")
math(EXPR address_count "0x${CMAKE_MATCH_1}")
expect("35 entries in the export address table, found ${address_count}" address_count EQUAL 35)
string(REGEX MATCH "\\[Name Pointer/Ordinal\\] Table[ \t]+([0-9a-f]+)" _ "${exports}")
math(EXPR name_count "0x${CMAKE_MATCH_1}")
expect("35 exported names, found ${name_count}" name_count EQUAL 35)

# Every address is a function in the code section: no data, no forwarders.
lines_of("${exports}" export_lines)
set(address_entries 0)
foreach(line IN LISTS export_lines)
  if(line MATCHES "\\+base\\[ *([0-9]+)\\] ([0-9a-f]+) (.*)$")
    math(EXPR address_entries "${address_entries} + 1")
    set(ordinal ${CMAKE_MATCH_1})
    math(EXPR rva "0x${CMAKE_MATCH_2}")
    set(kind "${CMAKE_MATCH_3}")
    set(rva_of_ordinal_${ordinal} ${rva})
    expect("ordinal ${ordinal} is a function in .text (${kind} ${rva})" kind STREQUAL "Export RVA" AND rva GREATER_EQUAL code_start AND rva LESS code_end)
  endif()
endforeach()
expect("35 export addresses listed, found ${address_entries}" address_entries EQUAL 35)

# Names with their ordinals: "[  n] name" in the name table, ordinal n + base.
string(FIND "${exports}" "[Ordinal/Name Pointer] Table" names_at)
string(SUBSTRING "${exports}" ${names_at} -1 name_table)
lines_of("${name_table}" name_lines)
set(exported_names)
foreach(line IN LISTS name_lines)
  if(line MATCHES "^[ \t]+\\[ *([0-9]+)\\] (.+)$")
    math(EXPR ordinal "${CMAKE_MATCH_1} + ${ordinal_base}")
    set(name "${CMAKE_MATCH_2}")
    list(APPEND exported_names "${name}")
    set(ordinal_of_${name} ${ordinal})
    set(name_at_${ordinal} "${name}")
  endif()
endforeach()

file(STRINGS "${EXPORT_LIST}" rows REGEX "^VYX_EXPORT\\(")
set(expected_names)
foreach(row IN LISTS rows)
  string(REGEX MATCH "^VYX_EXPORT\\(([a-z_]+)," _ "${row}")
  list(APPEND expected_names "_${CMAKE_MATCH_1}@16")
endforeach()
list(SORT exported_names)
list(SORT expected_names)
expect("exported names are exactly the decorated names of the export list" exported_names STREQUAL expected_names)

foreach(name IN LISTS exported_names)
  expect("${name} carries the stdcall decoration" name MATCHES "^_n_[a-z]+@16$")
endforeach()

# Ordinals 1..35, each taken once, rising with the byte order of the names.
set(previous "")
foreach(ordinal RANGE 1 35)
  set(name "${name_at_${ordinal}}")
  expect("ordinal ${ordinal} has a name" DEFINED name_at_${ordinal})
  if(NOT previous STREQUAL "" AND NOT name STREQUAL "")
    expect("ordinal ${ordinal}: '${previous}' sorts before '${name}'" previous STRLESS name)
  endif()
  set(previous "${name}")
endforeach()
expect("_n_acos@16 has ordinal 1" ordinal_of__n_acos@16 EQUAL 1)
expect("_n_waru@16 has ordinal 35" ordinal_of__n_waru@16 EQUAL 35)

# --- Stack cleanup: what the module-definition file promises -------------
# Each export is stdcall: it removes its own arguments, as many bytes as the
# number after '@' in the module-definition file. The first return of each
# export's code (read from its exported address on) must say so.
file(STRINGS "${MODULE_DEFINITION}" definitions REGEX "^[ \t]+_n_[a-z]+@[0-9]+ = ")
list(LENGTH definitions definition_count)
expect("35 exports in the module-definition file, found ${definition_count}" definition_count EQUAL 35)
foreach(definition IN LISTS definitions)
  string(REGEX MATCH "(_n_[a-z]+@([0-9]+))" _ "${definition}")
  set(name ${CMAKE_MATCH_1})
  set(argument_bytes ${CMAKE_MATCH_2})
  set(rva "${rva_of_ordinal_${ordinal_of_${name}}}")
  if(rva STREQUAL "")
    expect("${name} has an exported address" FALSE)
    continue()
  endif()
  math(EXPR start "${image_base} + ${rva}" OUTPUT_FORMAT HEXADECIMAL)
  math(EXPR stop "${start} + 4096" OUTPUT_FORMAT HEXADECIMAL)
  run_tool(code ${OBJDUMP} -d --no-show-raw-insn --start-address=${start} --stop-address=${stop} "${MODULE}")
  string(REGEX MATCH "\tret[lw]? *([$]0x[0-9a-f]+)?" first_return "${code}")
  set(popped 0)
  if(CMAKE_MATCH_1)
    string(REPLACE "$" "" popped "${CMAKE_MATCH_1}")
    math(EXPR popped "${popped}")
  endif()
  expect("${name} returns removing ${argument_bytes} bytes of arguments, found '${first_return}'"
         first_return AND popped EQUAL argument_bytes)
endforeach()

# --- Imports: Windows' own DLLs only --------------------------------------
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
foreach(import IN LISTS imports)
  string(REPLACE "DLL Name: " "" dll "${import}")
  string(TOLOWER "${dll}" dll_lower)
  expect("imports only from Windows itself, found ${dll}" dll_lower STREQUAL "kernel32.dll" OR dll_lower STREQUAL "msvcrt.dll")
endforeach()

# --- Resources: one version resource, Japanese ----------------------------
expect("the only resource type is the version (16)" headers MATCHES "Type Table:[^\n]*Num Names: 0, IDs: 1\n[^\n]*Entry: ID: 0x000010,")
expect("one version resource, named 1" headers MATCHES "Name Table:[^\n]*Num Names: 0, IDs: 1\n[^\n]*Entry: ID: 0x000001,")
expect("in language 0x0411" headers MATCHES "Language Table:[^\n]*Num Names: 0, IDs: 1\n[^\n]*Entry: ID: 0x000411,")

# The resource as the resource compiler reads it back from the module.
run_tool(resource ${WINDRES} --input-format=coff --output-format=rc -i "${MODULE}")
expect("resource language Japanese (17, 1)" resource MATCHES "\nLANGUAGE 17, 1\n")
expect("fixed file version 1.0.0.1" resource MATCHES "\n FILEVERSION 1, 0, 0, 1\n")
expect("fixed product version 1.0.0.1" resource MATCHES "\n PRODUCTVERSION 1, 0, 0, 1\n")
expect("private-build flag (0x8) and no other" resource MATCHES "\n FILEFLAGS 0x8\n")
expect("operating system 32-bit Windows NT (0x40004)" resource MATCHES "\n FILEOS 0x40004\n")
expect("file type DLL (2)" resource MATCHES "\n FILETYPE 0x2\n")
expect("one string table, for language 0x0411 and code page 932" resource MATCHES "BLOCK \"StringFileInfo\"\n  BEGIN\n    BLOCK \"041103a4\"\n    BEGIN\n")
expect("translation 0x0411, code page 932" resource MATCHES "VALUE \"Translation\", 0x411, 932\n")

# The Comments text is stored as UTF-16: the code page 932 text
# "VYX" 97 70 8E 5A 8F 70 8A D6 90 94 83 76 83 89 83 4F 83 43 83 93
# is U+0056 U+0059 U+0058 U+7528 U+7B97 U+8853 U+95A2 U+6570 U+30D7 U+30E9
# U+30B0 U+30A4 U+30F3.
set(expected_strings
  [[VALUE "Comments", L"VYX\x7528\x7b97\x8853\x95a2\x6570\x30d7\x30e9\x30b0\x30a4\x30f3"]]
  [[VALUE "FileDescription", "VYXmath"]]
  [[VALUE "FileVersion", "0, 0, 1, 5"]]
  [[VALUE "InternalName", "VYXmath"]]
  [[VALUE "OriginalFilename", "VYXmath.vyk"]]
  [[VALUE "PrivateBuild", "200009091842"]]
  [[VALUE "ProductName", " VYXmath"]]
  [[VALUE "ProductVersion", "0, 0, 1, 5"]])
string(REGEX MATCHALL "      VALUE [^\n]+" found_strings "${resource}")
list(TRANSFORM found_strings STRIP)
list(SORT found_strings)
list(SORT expected_strings)
expect("exactly the eight string values: found ${found_strings}" found_strings STREQUAL expected_strings)

get_property(passes GLOBAL PROPERTY check_passes)
get_property(failures GLOBAL PROPERTY check_failures)
message("check_module_file: ${passes} passed, ${failures} failed")
if(failures GREATER 0)
  message(FATAL_ERROR "VYXmath.vyk does not have the expected exports or version resource")
endif()
