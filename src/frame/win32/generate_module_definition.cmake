# Writes the module-definition file of "VYXmath.vyk" from the export list, so
# the Windows export directory cannot drift from the one table of exports.
#
#   cmake -DEXPORT_LIST=<export_list.inc> -DMODULE_NAME=VYXmath.vyk
#         -DOUTPUT=<file.def> -P generate_module_definition.cmake
#
# Every export is a stdcall function of four 32-bit arguments, so its symbol
# in the objects is "_<name>@16". The host resolves exactly that decorated
# name, so it is also the exported name: each line reads
#     _n_tasu@16 = n_tasu@16 @35
# where the left side is the name in the export directory and the right side
# the internal symbol, written without the leading underscore because the
# i386 linker adds it to every symbol named in a module-definition file.
#
# Ordinals run from 1 in ascending byte order of the decorated names (the
# order of vyxmath::export_ordinal). The file names nothing else: no
# undecorated aliases and no data.
cmake_minimum_required(VERSION 3.25)

foreach(var EXPORT_LIST MODULE_NAME OUTPUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "generate_module_definition: ${var} is not set")
  endif()
endforeach()

file(STRINGS "${EXPORT_LIST}" rows REGEX "^VYX_EXPORT\\(")
set(decorated_names)
foreach(row IN LISTS rows)
  if(NOT row MATCHES "^VYX_EXPORT\\(([a-z_]+),")
    message(FATAL_ERROR "generate_module_definition: cannot read the row '${row}'")
  endif()
  list(APPEND decorated_names "_${CMAKE_MATCH_1}@16")
endforeach()

list(LENGTH decorated_names count)
list(REMOVE_DUPLICATES decorated_names)
list(LENGTH decorated_names unique_count)
if(NOT count EQUAL 35 OR NOT unique_count EQUAL 35)
  message(FATAL_ERROR
    "generate_module_definition: expected 35 distinct exports in ${EXPORT_LIST}, found ${unique_count} of ${count}")
endif()

# Case-sensitive string order is the byte order of the names.
list(SORT decorated_names COMPARE STRING CASE SENSITIVE ORDER ASCENDING)

set(text "; Generated from src/frame/export_list.inc by generate_module_definition.cmake.\n")
string(APPEND text "LIBRARY \"${MODULE_NAME}\"\nEXPORTS\n")
set(ordinal 0)
foreach(decorated IN LISTS decorated_names)
  math(EXPR ordinal "${ordinal} + 1")
  string(SUBSTRING "${decorated}" 1 -1 internal)
  string(APPEND text "    ${decorated} = ${internal} @${ordinal}\n")
endforeach()

# Rewrite only on change, so an unchanged list does not relink the module.
file(WRITE "${OUTPUT}.new" "${text}")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
