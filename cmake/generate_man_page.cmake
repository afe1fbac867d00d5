# Writes the manual page vyxmath.1 from the host's own help text and export
# listing, so the page says what `vyxmath --help` says.
# Usage: cmake -DHOST=<vyxmath> -DVERSION=<x.y.z.w> -DOUTPUT=<vyxmath.1> -P generate_man_page.cmake
cmake_minimum_required(VERSION 3.25)

function(host_output option result)
  execute_process(COMMAND ${HOST} ${option} OUTPUT_VARIABLE text RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${HOST} ${option} failed: ${status}")
  endif()
  set(${result} "${text}" PARENT_SCOPE)
endfunction()

# Text as roff shows it verbatim: backslashes escaped, no line taken as a
# request, minus signs as minus signs.
function(as_roff text result)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${result} "${text}" PARENT_SCOPE)
endfunction()

host_output(--help help)
host_output(--list listing)

# The usage lines open the help text; the rest of it describes.
string(FIND "${help}" "\n\n" cut)
string(SUBSTRING "${help}" 0 ${cut} usage)
math(EXPR cut "${cut} + 2")
string(SUBSTRING "${help}" ${cut} -1 description)
string(REGEX REPLACE "(^|\n)usage: " "\\1" usage "${usage}")
string(REGEX REPLACE "(^|\n) +" "\\1" usage "${usage}")
as_roff("${usage}" usage)
as_roff("${description}" description)
as_roff("${listing}" listing)
# A blank line between paragraphs is a new paragraph in roff; indented lines
# (option tables) keep their lines and spacing.
string(REPLACE "\n\n" "\n.PP\n" description "${description}")
string(REGEX REPLACE "((\n  [^\n]*)+)" "\n.nf\\1\n.fi" description "${description}")

file(WRITE ${OUTPUT} ".TH VYXMATH 1 \"\" \"VYXmath ${VERSION}\" \"User Commands\"
.SH NAME
vyxmath \\- call the exports of the VYXmath module from the command line
.SH SYNOPSIS
.nf
${usage}
.fi
.SH DESCRIPTION
${description}.SH EXPORTS
The exports and their argument slots, as \\fBvyxmath \\-\\-list\\fR prints them:
.PP
.nf
${listing}.fi
.SH FILES
An installed vyxmath that finds no libvyxmath.so beside it loads
libvyxmath.so.1 from the installed library folder (lib beside bin).
.SH SEE ALSO
The reference of every export and the page on number text,
reference.md and number\\-text.md, in the docs folder of VYXmath.
.SH LICENCE
MIT; see the file LICENSE.
")
