# Run by the uninstall target in the build directory: removes the files that
# the last "cmake --install" from it copied, as it recorded them in
# install_record.cmake, under the DESTDIR that install had.
cmake_minimum_required(VERSION 3.16)

# An install that stopped partway left only this mark: what it copied is not
# known, so nothing is removed.
function(unfinished)
  message(FATAL_ERROR "The last install from ${CMAKE_BINARY_DIR} did not finish, so which files "
    "it copied is not known: nothing was removed")
endfunction()

function(installed destdir file)
  if(NOT "$ENV{DESTDIR}" STREQUAL destdir)
    message(FATAL_ERROR "The last install was under DESTDIR \"${destdir}\", not \"$ENV{DESTDIR}\": "
      "uninstall with the DESTDIR it had")
  endif()
  # rm says why a removal fails; only a file that is known not to be there
  # is passed over. Its standard input is not a terminal, so it never asks.
  execute_process(COMMAND rm -- "${destdir}${file}" INPUT_FILE /dev/null
    RESULT_VARIABLE failed ERROR_VARIABLE why ERROR_STRIP_TRAILING_WHITESPACE)
  if(failed EQUAL 0)
    message(STATUS "Removed: ${destdir}${file}")
  elseif(why MATCHES ": No such file or directory$")
    message(STATUS "Already gone: ${destdir}${file}")
  else()
    message(FATAL_ERROR "${why}")
  endif()
endfunction()

set(ENV{LC_ALL} C) # rm's messages, in the words matched above
if(NOT EXISTS "${CMAKE_BINARY_DIR}/install_record.cmake")
  message(FATAL_ERROR "Nothing to uninstall: ${CMAKE_BINARY_DIR}/install_record.cmake is written by cmake --install")
endif()
include("${CMAKE_BINARY_DIR}/install_record.cmake")
