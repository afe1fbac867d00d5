# Writes the manual page vyxmath.1 from the host's own help text and export
# listing, so the page says what `vyxmath --help` says. The help's paragraphs
# are laid out by their headings: the usage lines make the SYNOPSIS,
# "Options:" the OPTIONS, "Exit status:" the EXIT STATUS, "Examples:" the
# EXAMPLES, and the others the DESCRIPTION.
# The installed folders are named under the installation's prefix, which is
# chosen when installing, after the page is written.
# Usage: cmake -DHOST=<vyxmath> -DVERSION=<x.y.z.w> -DDOCDIR=<share/doc/vyxmath> -DLIBDIR=<lib>
#              -DDATADIR=<share> -DOUTPUT=<vyxmath.1> -P generate_man_page.cmake
cmake_minimum_required(VERSION 3.25)

function(host_output option result)
  execute_process(COMMAND ${HOST} ${option} OUTPUT_VARIABLE text RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${HOST} ${option} failed: ${status}")
  endif()
  # CMake lists split at ";": the help's semicolons travel as a placeholder.
  string(REPLACE ";" "<semicolon>" text "${text}")
  set(${result} "${text}" PARENT_SCOPE)
endfunction()

# Text as roff shows it: backslashes escaped, no line taken as a request,
# minus signs as minus signs.
function(as_roff text result)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${result} "${text}" PARENT_SCOPE)
endfunction()

# An option's head, "-f, --file FILE": the options bold, the values italic.
function(option_head text result)
  as_roff("${text}" text)
  string(REGEX REPLACE "(\\\\-[-\\\\a-zA-Z]+)" "\\\\fB\\1\\\\fR" text "${text}")
  string(REGEX REPLACE "([= ])([A-Z]+)$" "\\1\\\\fI\\2\\\\fR" text "${text}")
  set(${result} "${text}" PARENT_SCOPE)
endfunction()

# The lines of a paragraph as a list, without the heading.
function(paragraph_lines paragraph result)
  string(REGEX REPLACE "^[^\n]*:\n" "" paragraph "${paragraph}")
  string(REPLACE "\n" ";" lines "${paragraph}")
  set(${result} "${lines}" PARENT_SCOPE)
endfunction()

host_output(--help help)
host_output(--list listing)
string(REGEX REPLACE "\n+$" "" help "${help}")
string(REPLACE "\n\n" "<paragraph>" help "${help}")
string(REPLACE "<paragraph>" ";" paragraphs "${help}")

set(synopsis "")
set(description "")
set(options "")
set(exit_status "")
set(examples "")
foreach(paragraph IN LISTS paragraphs)
  if(paragraph MATCHES "^usage: ")
    string(REGEX REPLACE "(^|\n)usage: " "\\1" paragraph "${paragraph}")
    string(REGEX REPLACE "(^|\n) +" "\\1" paragraph "${paragraph}")
    # Each form's comment goes; the forms stay, one per line.
    string(REGEX REPLACE "   +[^\n]*" "" paragraph "${paragraph}")
    as_roff("${paragraph}" synopsis)
  elseif(paragraph MATCHES "^Options:\n")
    paragraph_lines("${paragraph}" lines)
    set(after "")
    foreach(line IN LISTS lines)
      if(line MATCHES "^  +(-[^ ]*(, --[^ ]+)?( [A-Z]+)?)  +(.*)$")
        option_head("${CMAKE_MATCH_1}" head)
        as_roff("${CMAKE_MATCH_4}" text)
        string(APPEND options ".TP\n${head}\n${text}\n")
      else()
        as_roff("${line}" line)
        string(APPEND after "${line}\n")
      endif()
    endforeach()
    string(APPEND options ".PP\n${after}")
  elseif(paragraph MATCHES "^Exit status:\n")
    paragraph_lines("${paragraph}" lines)
    foreach(line IN LISTS lines)
      as_roff("${line}" line)
      if(line MATCHES "^  ([0-9]+)  +(.*)$")
        string(APPEND exit_status ".TP\n.B ${CMAKE_MATCH_1}\n${CMAKE_MATCH_2}\n")
      else()
        string(REGEX REPLACE "^ +" "" line "${line}")
        string(APPEND exit_status "${line}\n")
      endif()
    endforeach()
  elseif(paragraph MATCHES "^Examples:\n")
    paragraph_lines("${paragraph}" lines)
    foreach(line IN LISTS lines)
      if(line MATCHES "^  (.*[^ ])   +(.*)$")
        as_roff("${CMAKE_MATCH_1}" command)
        as_roff("${CMAKE_MATCH_2}" meaning)
        string(APPEND examples ".TP\n.B ${command}\n${meaning}\n")
      endif()
    endforeach()
  else()
    as_roff("${paragraph}" paragraph)
    string(APPEND description ".PP\n${paragraph}\n")
  endif()
endforeach()
if(NOT options OR NOT exit_status OR NOT examples)
  message(FATAL_ERROR "the host's help has no Options:, Exit status: or Examples: paragraph")
endif()
as_roff("${listing}" listing)

set(page ".TH VYXMATH 1 \"\" \"VYXmath ${VERSION}\" \"User Commands\"
.SH NAME
vyxmath \\- call the exports of the VYXmath module from the command line
.SH SYNOPSIS
.nf
${synopsis}
.fi
.SH DESCRIPTION
${description}.SH OPTIONS
${options}.SH EXIT STATUS
${exit_status}.SH EXAMPLES
${examples}.SH EXPORTS
The exports and their argument slots, as \\fBvyxmath \\-\\-list\\fR prints them:
.PP
.nf
${listing}.fi
.SH FILES
Installed folders are named under the installation's prefix:
.I /usr
for the Debian package,
.I /usr/local
unless told otherwise for \\fBcmake \\-\\-install\\fR.
.TP
.I libvyxmath.so
The module, loaded from the folder of the vyxmath executable; an installed
vyxmath that finds none there loads
.I ${LIBDIR}/libvyxmath.so.1
instead.
.TP
.I ~/.vyxmath_history
The history of the prompt, kept between sessions.
.TP
.I ${DATADIR}/bash\\-completion/completions/vyxmath
.TQ
.I ${DATADIR}/zsh/vendor\\-completions/_vyxmath
The completion of options and export names for bash and zsh.
.TP
.I share/locale/ja/LC_MESSAGES/vyxmath.mo
The host's messages in Japanese, used when the locale asks for them
(LANG=ja_JP.UTF-8 or LANGUAGE=ja).
.SH SEE ALSO
The reference of every export and the page on number text,
.I reference.md
and
.IR number\\-text.md ,
with
.IR README.md ,
in
.I ${DOCDIR}
under the installation's prefix.
.SH LICENCE
MIT; see
.I LICENSE
in the same folder.
")
string(REPLACE "<semicolon>" ";" page "${page}")
file(WRITE ${OUTPUT} "${page}")
