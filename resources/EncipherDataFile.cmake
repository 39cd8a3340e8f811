# Makes a bundle data file from its plain source: the "#" comment lines are removed, and the rest
# is enciphered by farline-data. The chaining block is the MD5 of the stripped text, so the same
# source always gives the same file.
#
#   cmake -DTOOL=farline-data -DINPUT=X.plain.txt -DOUTPUT=X.txt [-DEMULATOR=...] -P EncipherDataFile.cmake
#
# A cross-built farline-data runs under EMULATOR (the cross build's CMAKE_CROSSCOMPILING_EMULATOR).
foreach(variable TOOL INPUT OUTPUT)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "EncipherDataFile.cmake needs -D${variable}=...")
  endif()
endforeach()

file(READ "${INPUT}" text)
string(REPLACE "\r\n" "\n" text "${text}")
# Every comment line goes with the line end before it; the leading line end makes the first
# line no exception and is removed afterwards.
string(REGEX REPLACE "\n#[^\n]*" "" text "\n${text}")
string(SUBSTRING "${text}" 1 -1 text)
string(MD5 chaining_block "${text}")

set(stripped "${OUTPUT}.stripped")
file(WRITE "${stripped}" "${text}")
execute_process(COMMAND ${EMULATOR} "${TOOL}" encrypt "${stripped}" "${OUTPUT}" --iv "${chaining_block}"
                RESULT_VARIABLE status)
file(REMOVE "${stripped}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "farline-data could not encipher ${INPUT}")
endif()
