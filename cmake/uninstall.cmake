# Run by the uninstall target in the build directory: removes the files that
# the last "cmake --install" from it wrote, as CMake listed them in
# install_manifest.txt, under the DESTDIR that install recorded beside it.
foreach(record install_manifest.txt install_destdir.txt)
  if(NOT EXISTS "${CMAKE_BINARY_DIR}/${record}")
    message(FATAL_ERROR "Nothing to uninstall: ${CMAKE_BINARY_DIR}/${record} is written by cmake --install")
  endif()
endforeach()
file(READ "${CMAKE_BINARY_DIR}/install_destdir.txt" destdir)
if(NOT "$ENV{DESTDIR}" STREQUAL "${destdir}")
  message(FATAL_ERROR "The last install was under DESTDIR \"${destdir}\", not \"$ENV{DESTDIR}\": "
    "uninstall with the DESTDIR it had")
endif()
file(READ "${CMAKE_BINARY_DIR}/install_manifest.txt" files)
# A path a line, taken off one at a time: read as a CMake list, a path that
# holds a bracket or a backslash would run into the next.
while(files MATCHES "^([^\n]+)\n?(.*)$")
  set(file "${destdir}${CMAKE_MATCH_1}")
  set(files "${CMAKE_MATCH_2}")
  if(NOT EXISTS "${file}" AND NOT IS_SYMLINK "${file}")
    message(STATUS "Already gone: ${file}")
  else()
    message(STATUS "Removing: ${file}")
    # rm, unlike file(REMOVE), says so when a removal fails, and why.
    execute_process(COMMAND rm -- "${file}" RESULT_VARIABLE failed)
    if(NOT failed EQUAL 0)
      message(FATAL_ERROR "Could not remove ${file}")
    endif()
  endif()
endwhile()
