# Runs one scripted keslog-cli session and compares everything it prints
# and writes with the files in the case's expected/ folder, byte for byte.
#
#   cmake -DCLI=keslog-cli -DDATA=<shipped start-up files> -DCASE=<case folder>
#         -DWORK=<scratch folder> -P RunGolden.cmake
#
# A case folder holds session.txt (one keslog-cli command a line, "#" starts
# a comment; each runs in the scratch folder with --program-dir prepended,
# "> FILE" at the end puts its standard output in FILE; "rename A B" renames
# an output),
# the files it reads (key scripts, logs..., also in folders of their own,
# such as another program folder's KESLOG90.INI), an optional settings.txt of
# Key=Value lines put into a copy of the shipped KESLOG90.INI after those of
# the settings.txt beside this script, and expected/: one file
# for each file the session leaves beside its inputs, and transcript.txt,
# each command followed by its output, its error lines marked "! " and its
# exit code when not 0. A log (.KSL) is compared as a hex dump. Set
# KESLOG_UPDATE_GOLDEN=1 to write what the session made into expected/.
cmake_minimum_required(VERSION 3.20)
foreach(var CLI DATA CASE WORK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "RunGolden.cmake needs -D${var}=...")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/prog")
file(COPY "${DATA}/KESLOG90.INI" "${DATA}/KESLOG90.DAT" "${DATA}/SS-SECTIONS.TXT"
     "${DATA}/NA-MULTS.TXT" "${DATA}/arrl.cty" DESTINATION "${WORK}/prog")
# A case's prog/ folder holds the operator's additions to the program
# folder's files: each is appended to the file of its name.
file(GLOB additions RELATIVE "${CASE}/prog" LIST_DIRECTORIES false "${CASE}/prog/*")
foreach(f IN LISTS additions)
  execute_process(COMMAND sh -c "cat \"$0\" >> \"$1\"" "${CASE}/prog/${f}" "${WORK}/prog/${f}")
endforeach()
# The station every case shares, then the case's own settings (with sed:
# file(READ) would drop the file's CRs).
foreach(file "${CMAKE_CURRENT_LIST_DIR}/settings.txt" "${CASE}/settings.txt")
  if(NOT EXISTS "${file}")
    continue()
  endif()
  file(STRINGS "${file}" settings)
  foreach(setting IN LISTS settings)
    string(REGEX MATCH "^[^=]+" key "${setting}")
    execute_process(COMMAND grep -q "^${key}=" "${WORK}/prog/KESLOG90.INI" RESULT_VARIABLE missing)
    if(missing)
      message(FATAL_ERROR "${file}: the shipped KESLOG90.INI has no ${key}=")
    endif()
    execute_process(COMMAND sed -i "s|^${key}=[^\r]*|${setting}|" "${WORK}/prog/KESLOG90.INI")
  endforeach()
endforeach()
file(GLOB_RECURSE inputs RELATIVE "${CASE}" LIST_DIRECTORIES false "${CASE}/*")
list(FILTER inputs EXCLUDE REGEX "^(expected|prog)/")
list(REMOVE_ITEM inputs session.txt settings.txt)
foreach(f IN LISTS inputs)
  get_filename_component(folder "${WORK}/${f}" DIRECTORY)
  file(COPY "${CASE}/${f}" DESTINATION "${folder}")
endforeach()

set(transcript "")
file(STRINGS "${CASE}/session.txt" commands)
foreach(line IN LISTS commands)
  if(line MATCHES "^[ \t]*(#|$)")
    continue()
  endif()
  set(command "${line}")
  set(out "")
  set(capture OUTPUT_VARIABLE out)
  if(command MATCHES "^(.*) > ([^ ]+)$")  # standard output into a file
    set(command "${CMAKE_MATCH_1}")
    set(capture OUTPUT_FILE "${WORK}/${CMAKE_MATCH_2}")
  endif()
  separate_arguments(args UNIX_COMMAND "${command}")
  if(line MATCHES "^rename ")  # keeps an output that a later command writes again
    list(GET args 1 from)
    list(GET args 2 to)
    file(RENAME "${WORK}/${from}" "${WORK}/${to}")
    continue()
  endif()
  execute_process(COMMAND "${CLI}" --program-dir "${WORK}/prog" ${args}
    WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE code ${capture} ERROR_VARIABLE err
    TIMEOUT 60)
  string(REPLACE "${WORK}/" "" out "${out}")
  string(APPEND transcript "$ ${line}\n${out}")
  if(NOT err STREQUAL "")
    string(REGEX REPLACE "\n$" "" err "${err}")
    string(REPLACE "${WORK}/" "" err "${err}")
    string(REPLACE "\n" "\n! " err "${err}")
    string(APPEND transcript "! ${err}\n")
  endif()
  if(NOT code STREQUAL "0")
    string(APPEND transcript "exit ${code}\n")
  endif()
endforeach()
file(WRITE "${WORK}/transcript.txt" "${transcript}")

# Each 16 bytes of a binary file as a line of hex pairs.
function(hex_dump from to)
  file(READ "${from}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\1 " hex "${hex}")
  string(REPEAT "[0-9a-f][0-9a-f] " 16 line)  # CMake's regex has no {16}
  string(REGEX REPLACE "(${line})" "\\1\n" hex "${hex}")
  file(WRITE "${to}" "${hex}\n")
endfunction()

file(GLOB made RELATIVE "${WORK}" LIST_DIRECTORIES false "${WORK}/*")
list(REMOVE_ITEM made ${inputs})
if(DEFINED ENV{KESLOG_UPDATE_GOLDEN})
  file(REMOVE_RECURSE "${CASE}/expected")
  foreach(f IN LISTS made)
    file(COPY "${WORK}/${f}" DESTINATION "${CASE}/expected")
  endforeach()
  return()
endif()

file(GLOB expected RELATIVE "${CASE}/expected" "${CASE}/expected/*")
set(failed "")
# What the session read must be left as it was.
foreach(f IN LISTS inputs)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${CASE}/${f}" "${WORK}/${f}"
    RESULT_VARIABLE differ)
  if(differ)
    list(APPEND failed "${f} was changed")
  endif()
endforeach()
set(names ${made} ${expected})
list(REMOVE_DUPLICATES names)
foreach(f IN LISTS names)
  if(NOT EXISTS "${CASE}/expected/${f}")
    list(APPEND failed "${f} was written but is not expected")
  elseif(NOT EXISTS "${WORK}/${f}")
    list(APPEND failed "${f} was not written")
  else()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${CASE}/expected/${f}" "${WORK}/${f}"
      RESULT_VARIABLE differ)
    if(differ)
      set(a "${CASE}/expected/${f}")
      set(b "${WORK}/${f}")
      if(f MATCHES "\\.KSL$")
        hex_dump("${a}" "${WORK}/${f}.expected-hex")
        hex_dump("${b}" "${WORK}/${f}.hex")
        set(a "${WORK}/${f}.expected-hex")
        set(b "${WORK}/${f}.hex")
      endif()
      execute_process(COMMAND diff -u --text "${a}" "${b}")
      list(APPEND failed "${f} differs")
    endif()
  endif()
endforeach()
if(failed)
  list(JOIN failed "\n  " text)
  message(FATAL_ERROR "golden session ${CASE}:\n  ${text}")
endif()
