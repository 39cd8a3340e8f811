# cmake -DBUILD_DIR=... -DPREFIX=... -DAPP_ID=... -DVERSION=... -DWINDOW=0|1 -P InstallTree.cmake
# Installs the build into a fresh prefix, checks that each file is where the desktop looks for
# it and that the installed program runs; then AppStream reads the tree as a software centre does.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()

set(expected
  bin/farline
  bin/farline-data
  libexec/farline/farline-contacts
  share/applications/${APP_ID}.desktop
  share/metainfo/${APP_ID}.metainfo.xml
  share/icons/hicolor/scalable/apps/${APP_ID}.svg
  share/doc/farline/copyright)
foreach(size 16 24 32 48 64 128 256)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
endforeach()
if(WINDOW)
  list(APPEND expected libexec/farline/farline-window)
endif()
foreach(file IN LISTS expected)
  if(NOT EXISTS "${PREFIX}/${file}")
    message(SEND_ERROR "not installed: ${file}")
  endif()
endforeach()

execute_process(COMMAND "${PREFIX}/bin/farline" --version OUTPUT_VARIABLE version RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT version MATCHES "^farline ${VERSION}\nupdates: (signed|unsigned)\n$")
  message(SEND_ERROR "the installed farline answers --version with ${status}: ${version}")
endif()

find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
  execute_process(COMMAND "${APPSTREAMCLI}" validate-tree --no-net "${PREFIX}" RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(SEND_ERROR "appstreamcli validate-tree failed")
  endif()
endif()
