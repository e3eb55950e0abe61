# Runs at install time, first with step "begin" and last with step "end": keeps, for each
# installation (DESTDIR and prefix), a manifest of the files it put there and of the folders
# it had to make, in the build folder's install-manifests/, so that an uninstall
# (uninstall.cmake) removes what that installation made and nothing else. CMake's own
# install_manifest.txt lists only the latest installation from the build folder, whichever
# it was (cpack's staging included). cpack's staging keeps no manifest.
# The caller sets: step, manifests, folders (the installation's folders, relative to the
# prefix).
get_filename_component(prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_BINARY_DIR}")
set(root "$ENV{DESTDIR}${prefix}")
if(root MATCHES "/_CPack_Packages/")
  return()
endif()
string(SHA256 key "${root}")
set(manifest "${manifests}/${key}.txt")
if(step STREQUAL "begin")
  # The folders this installation makes: those not there yet, deepest first.
  set(made_folders)
  foreach(folder ${folders})
    set(path "${root}/${folder}")
    while(NOT EXISTS "${path}" AND NOT path STREQUAL root)
      list(APPEND made_folders "${path}")
      get_filename_component(path "${path}" DIRECTORY)
    endwhile()
  endforeach()
  return()
endif()
# An earlier installation into the same place: what it made counts too.
set(files)
if(EXISTS "${manifest}")
  file(STRINGS "${manifest}" lines)
  foreach(line ${lines})
    if(line MATCHES "^file (.*)")
      list(APPEND files "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^folder (.*)")
      list(APPEND made_folders "${CMAKE_MATCH_1}")
    endif()
  endforeach()
endif()
foreach(file ${CMAKE_INSTALL_MANIFEST_FILES})
  list(APPEND files "$ENV{DESTDIR}${file}")
endforeach()
list(REMOVE_DUPLICATES files)
list(REMOVE_DUPLICATES made_folders)
list(SORT made_folders ORDER DESCENDING)  # a folder after the folders inside it
set(text "installation ${root}\n")
foreach(file ${files})
  string(APPEND text "file ${file}\n")
endforeach()
foreach(folder ${made_folders})
  string(APPEND text "folder ${folder}\n")
endforeach()
file(WRITE "${manifest}" "${text}")
