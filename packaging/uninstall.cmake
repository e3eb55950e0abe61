# Removes one installation made from this build folder: the files its manifest lists (see
# manifest.cmake) and the folders it made, where they are empty; nothing else. Run through
# the build folder's uninstall.cmake, which sets `manifests` and, unless given, PREFIX:
#   cmake [-D PREFIX=the --prefix of the installation] -P BUILD/uninstall.cmake
# DESTDIR, if the installation had one, must be set as it was.
get_filename_component(prefix "${PREFIX}" ABSOLUTE)
set(root "$ENV{DESTDIR}${prefix}")
string(SHA256 key "${root}")
set(manifest "${manifests}/${key}.txt")
if(NOT EXISTS "${manifest}")
  message(FATAL_ERROR "No installation into ${root} was made from this build folder; nothing removed.")
endif()
file(STRINGS "${manifest}" lines)
set(removed 0)
foreach(line ${lines})
  string(REGEX REPLACE "^[a-z]+ " "" path "${line}")
  if(line MATCHES "^file " AND (EXISTS "${path}" OR IS_SYMLINK "${path}"))
    file(REMOVE "${path}")
    math(EXPR removed "${removed} + 1")
  elseif(line MATCHES "^folder " AND IS_DIRECTORY "${path}")
    file(GLOB inside "${path}/*" "${path}/.*")
    if(NOT inside)
      file(REMOVE_RECURSE "${path}")
    endif()
  endif()
endforeach()
file(REMOVE "${manifest}")
message(STATUS "Removed ${removed} files of the installation in ${root}")
