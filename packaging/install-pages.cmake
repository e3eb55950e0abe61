# Runs at install time (cmake --install, cpack). Writes each manual page with the version and
# the installed examples folder in place of @VERSION@ and @EXAMPLES@, compressed as Debian
# wants it (gzip -9n: best compression, no file name, no time stamp), into the manual folder.
# Where the programs are installed stripped, it also drops the compiler's version notes
# (.comment), which nothing reads.
# The caller sets: source_dir, work_dir, version, pages, mandir, docdir, bindir, programs,
# gzip, strip.
get_filename_component(prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_BINARY_DIR}")
foreach(dir mandir docdir bindir)
  if(NOT IS_ABSOLUTE "${${dir}}")
    set(${dir} "${prefix}/${${dir}}")
  endif()
endforeach()
file(MAKE_DIRECTORY "${work_dir}")
foreach(page ${pages})
  file(READ "${source_dir}/man/${page}.1" text)
  string(REPLACE "@VERSION@" "${version}" text "${text}")
  string(REPLACE "@EXAMPLES@" "${docdir}/examples" text "${text}")
  file(WRITE "${work_dir}/${page}.1" "${text}")
  execute_process(COMMAND "${gzip}" -9nf "${work_dir}/${page}.1" COMMAND_ERROR_IS_FATAL ANY)
  file(INSTALL DESTINATION "${mandir}/man1" TYPE FILE FILES "${work_dir}/${page}.1.gz")
endforeach()
if(CMAKE_INSTALL_DO_STRIP AND strip)
  foreach(program ${programs})
    execute_process(COMMAND "${strip}" --remove-section=.comment "$ENV{DESTDIR}${bindir}/${program}"
                    COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
endif()
