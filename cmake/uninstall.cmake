# Run by the uninstall target: removes each file that "cmake --install"
# recorded in install_manifest.txt, under the same DESTDIR as the install,
# and nothing else.
if(NOT EXISTS install_manifest.txt)
  message(FATAL_ERROR "Nothing to uninstall: cmake --install writes install_manifest.txt")
endif()
file(STRINGS install_manifest.txt files ENCODING UTF-8)
foreach(file IN LISTS files)
  message(STATUS "Removing: $ENV{DESTDIR}${file}")
  file(REMOVE "$ENV{DESTDIR}${file}")
endforeach()
