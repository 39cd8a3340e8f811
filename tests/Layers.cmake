# The layers of src/ include only what lies below them: log/ nothing, datafile/ and addressbook/
# only themselves and log/, platform/ nothing of the application, the application's folders neither the
# command line nor the window, and the command line not the window.
#
#   cmake -DSOURCE_DIR=<src> -P Layers.cmake
cmake_minimum_required(VERSION 3.25)
set(allowed_log log)
set(allowed_datafile log datafile)
set(allowed_addressbook log addressbook)
set(allowed_platform log platform datafile addressbook)
foreach(layer core access lists screens)
  set(allowed_${layer} log platform datafile addressbook core access lists screens)
endforeach()
set(allowed_app log platform datafile addressbook core access lists screens app)

set(faults "")
foreach(layer log datafile addressbook platform core access lists screens app)
  file(GLOB_RECURSE files "${SOURCE_DIR}/${layer}/*.h" "${SOURCE_DIR}/${layer}/*.cpp")
  foreach(file ${files})
    file(STRINGS "${file}" includes REGEX "^#include \"[a-z]+/")
    foreach(line ${includes})
      string(REGEX REPLACE "^#include \"([a-z]+)/.*" "\\1" folder "${line}")
      if(NOT folder IN_LIST allowed_${layer})
        string(APPEND faults "\n  ${file}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "includes that reach above their layer:${faults}")
endif()
