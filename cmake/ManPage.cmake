# Writes a manual page from a program's own --help text, so the two never drift apart.
#   cmake -DPROGRAM=path -DNAME=gwctl -DSUMMARY="..." -DVERSION=x.y.z -DOUTPUT=gwctl.1 -P ManPage.cmake
# The first "Usage:" line becomes the synopsis; the rest is the description, kept as the program lays it out.
# With -DCOMMANDS=ON, each command listed under "Commands:" gets a section of its own from "COMMAND --help",
# up to the options every command shares.

set(ENV{QT_QPA_PLATFORM} offscreen)

function(help_of out)
  execute_process(COMMAND ${PROGRAM} ${ARGN} --help OUTPUT_VARIABLE text ERROR_VARIABLE err RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} ${ARGN} --help failed (${rc}): ${err}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# roff: a backslash is written \e, a line may not start with a dot or an apostrophe, a hyphen in an option
# is \- so that it can be searched for and copied.
function(to_roff var)
  set(text "${${var}}")
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  string(REGEX REPLACE "\n+$" "" text "${text}")
  set(${var} "${text}" PARENT_SCOPE)
endfunction()

help_of(help)
set(commands_section "")
if(COMMANDS AND help MATCHES "Commands:\n(.*)\n\n")
  string(REGEX MATCHALL "\n  [a-z][a-z-]*" names "\n${CMAKE_MATCH_1}")
  set(commands_section ".SH COMMANDS\n")
  foreach(name IN LISTS names)
    string(STRIP "${name}" name)
    help_of(text ${name})
    string(REGEX REPLACE "\nOptions \\(anywhere on the line\\):.*$" "" text "${text}")
    set(heading "${name}")
    if(text MATCHES "^Usage: [^\n]*\\] ([^\n]*)\n")
      set(heading "${CMAKE_MATCH_1}")
    endif()
    string(REGEX REPLACE "^Usage: [^\n]*\n\n?" "" text "${text}")
    to_roff(text)
    to_roff(heading)
    string(APPEND commands_section ".SS ${heading}\n.nf\n${text}\n.fi\n")
  endforeach()
endif()
to_roff(help)

set(synopsis "")
if(help MATCHES "^Usage: ([^\n]*)\n(.*)$")
  set(synopsis "${CMAKE_MATCH_1}")
  set(help "${CMAKE_MATCH_2}")
elseif(help MATCHES "^usage: ([^\n]*)\n(.*)$")
  set(synopsis "${CMAKE_MATCH_1}")
  set(help "${CMAKE_MATCH_2}")
endif()
string(REGEX REPLACE "^\n+" "" help "${help}")
string(TOUPPER "${NAME}" upper)

file(WRITE ${OUTPUT} ".TH ${upper} 1 \"\" \"gwconfig ${VERSION}\" \"User Commands\"
.SH NAME
${NAME} \\- ${SUMMARY}
.SH SYNOPSIS
.nf
${synopsis}
.fi
.SH DESCRIPTION
.nf
${help}
.fi
${commands_section}.SH SEE ALSO
${SEE_ALSO}
")
