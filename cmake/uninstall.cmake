# Run by the uninstall target: removes each file that "cmake --install"
# recorded in install_manifest.txt, under the same DESTDIR as the install,
# and nothing else.
# In script mode CMAKE_BINARY_DIR is the working directory, which the target
# sets to the build directory.
set(manifest ${CMAKE_BINARY_DIR}/install_manifest.txt)
if(NOT EXISTS ${manifest})
  message(FATAL_ERROR "Nothing to uninstall: ${manifest} is written by cmake --install")
endif()
file(STRINGS ${manifest} files ENCODING UTF-8)
foreach(file IN LISTS files)
  message(STATUS "Removing: $ENV{DESTDIR}${file}")
  file(REMOVE "$ENV{DESTDIR}${file}")
endforeach()
