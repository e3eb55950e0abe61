# Runs at install time (cmake --install, cpack). Writes each manual page with the version and
# the installed examples folder in place of @VERSION@ and @EXAMPLES@, compressed as Debian
# wants it (gzip -9n: best compression, no file name, no time stamp), into the manual folder;
# and the README into the documents' folder without what only a checkout has: each block from
# a line "<!-- checkout -->" to a line "<!-- /checkout -->".
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
file(READ "${source_dir}/README.md" readme)
set(end_mark "<!-- /checkout -->\n")
string(LENGTH "${end_mark}" end_length)
string(FIND "${readme}" "<!-- checkout -->\n" start)
while(start GREATER_EQUAL 0)
  string(FIND "${readme}" "${end_mark}" stop)
  math(EXPR stop "${stop} + ${end_length}")
  string(SUBSTRING "${readme}" 0 ${start} before)
  string(SUBSTRING "${readme}" ${stop} -1 after)
  set(readme "${before}${after}")
  string(FIND "${readme}" "<!-- checkout -->\n" start)
endwhile()
file(WRITE "${work_dir}/README.md" "${readme}")
file(INSTALL DESTINATION "${docdir}" TYPE FILE FILES "${work_dir}/README.md")
if(CMAKE_INSTALL_DO_STRIP AND strip)
  foreach(program ${programs})
    execute_process(COMMAND "${strip}" --remove-section=.comment "$ENV{DESTDIR}${bindir}/${program}"
                    COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
endif()
