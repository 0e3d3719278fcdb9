# Writes the man page of tovix-cli from its own help texts:
#   cmake -DCLI=path/to/tovix-cli -DOUT=tovix-cli.1 -DVERSION=x.y.z -P manpage.cmake
foreach(var CLI OUT VERSION)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "manpage.cmake needs -D${var}=...")
  endif()
endforeach()

function(help_of out)
  # The page is English, whatever language the settings file chose.
  execute_process(COMMAND ${CLI} --set Sprache=1 ${ARGN} --help OUTPUT_VARIABLE text
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0 OR text STREQUAL "")
    message(FATAL_ERROR "${CLI} ${ARGN} --help failed (${rc})")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# troff: a backslash is written \e; a line starting with . or ' needs \&.
function(as_troff out text)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  string(REGEX REPLACE "\n+$" "" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

help_of(general)
# The options are the same after every command's help; the page shows them once.
string(FIND "${general}" "Options (before or after the command):" options_at)
string(SUBSTRING "${general}" ${options_at} -1 options)
string(SUBSTRING "${general}" 0 ${options_at} intro)
as_troff(intro "${intro}")
as_troff(options "${options}")

set(page ".TH TOVIX-CLI 1 \"\" \"tovix ${VERSION}\" \"User Commands\"
.SH NAME
tovix-cli \\- the passes of Tovix without a window
.SH SYNOPSIS
.B tovix-cli
[\\fIOPTIONS\\fR] \\fICOMMAND\\fR [\\fIARGS\\fR...]
.SH DESCRIPTION
.nf
${intro}
.fi
.SH OPTIONS
.nf
${options}
.fi
.SH COMMANDS
")
# The commands as the general help lists them, each once.
string(REGEX MATCHALL "\n  [a-z]+ " listed "${general}")
set(commands)
foreach(entry IN LISTS listed)
  string(STRIP "${entry}" command)
  list(APPEND commands ${command})
endforeach()
list(REMOVE_DUPLICATES commands)
if(NOT commands)
  message(FATAL_ERROR "no commands in the help of ${CLI}")
endif()
foreach(command IN LISTS commands)
  help_of(text ${command})
  string(FIND "${text}" "Options (before or after the command):" at)
  if(at GREATER 0)
    string(SUBSTRING "${text}" 0 ${at} text)
  endif()
  as_troff(text "${text}")
  string(APPEND page ".SS ${command}\n.nf\n${text}\n.fi\n")
endforeach()
string(APPEND page ".SH FILES
.TP
.I tovix.ini
the settings: in the program folder while it is writable, else in
\\fI$XDG_CONFIG_HOME/tovix/\\fR (\\fI~/.config/tovix/\\fR)
.TP
.I tovix.lng
the language file: in the current folder, else beside the program
")
file(WRITE ${OUT} "${page}")
