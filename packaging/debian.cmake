# Runs in cpack once the files are staged, before the package is made. For the Debian package:
# - SOURCE_DATE_EPOCH, unless already set, becomes the time of the checkout's last commit (or,
#   outside git, the date of the newest changelog entry); CPack gives every file, folder and
#   archive member that time, so two builds of one commit make the same bytes;
# - LICENSE and CHANGELOG.md make way for what Debian reads in their place: the copyright
#   file in its machine-readable form and the changelog in Debian's form, compressed;
# - the other documents over 4 KB (the README) are compressed, as Debian asks;
# - folders and files get the usual modes, whatever the umask.
# Set in CPackConfig.cmake: CPACK_CONSOLEWORKS_SOURCE_DIR, CPACK_CONSOLEWORKS_DOCDIR,
# CPACK_CONSOLEWORKS_GZIP.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()
set(source "${CPACK_CONSOLEWORKS_SOURCE_DIR}")
set(maintainer "${CPACK_DEBIAN_PACKAGE_MAINTAINER}")
if(maintainer STREQUAL "")
  set(maintainer "${CPACK_PACKAGE_CONTACT}")
endif()
set(doc "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/${CPACK_CONSOLEWORKS_DOCDIR}")

# Days from 1970-01-01 to a date of the Gregorian calendar.
function(days_since_epoch year month day result)
  math(EXPR march_based_year "${year} - (14 - ${month}) / 12")  # January and February count with the year before
  math(EXPR era "${march_based_year} / 400")
  math(EXPR year_of_era "${march_based_year} - ${era} * 400")
  math(EXPR day_of_year "(153 * ((${month} + 9) % 12) + 2) / 5 + ${day} - 1")
  math(EXPR day_of_era "${year_of_era} * 365 + ${year_of_era} / 4 - ${year_of_era} / 100 + ${day_of_year}")
  math(EXPR days "${era} * 146097 + ${day_of_era} - 719468")
  set(${result} ${days} PARENT_SCOPE)
endfunction()

# The Debian changelog from CHANGELOG.md: "## VERSION (YYYY-MM-DD)" starts an entry (with a
# time of day in UTC, "YYYY-MM-DD HH:MM", where one day has two), "- " an item, and lines
# indented by two spaces continue it.
file(STRINGS "${source}/CHANGELOG.md" lines)
set(changelog "")
set(newest_date "")
set(trailer "")
foreach(line IN LISTS lines)
  if(line MATCHES "^## ([^ ]+) \\(([0-9]+)-([0-9]+)-([0-9]+)( ([0-9]+):([0-9]+))?\\)$")
    string(APPEND changelog "${trailer}${CPACK_PACKAGE_NAME} (${CMAKE_MATCH_1}) unstable; urgency=medium\n\n")
    set(hours 0)
    set(minutes 0)
    if(CMAKE_MATCH_5)
      set(hours ${CMAKE_MATCH_6})
      set(minutes ${CMAKE_MATCH_7})
    endif()
    days_since_epoch(${CMAKE_MATCH_2} ${CMAKE_MATCH_3} ${CMAKE_MATCH_4} days)
    math(EXPR seconds "${days} * 86400 + ${hours} * 3600 + ${minutes} * 60")
    if(newest_date STREQUAL "")
      set(newest_date ${seconds})
    endif()
    set(saved_epoch "$ENV{SOURCE_DATE_EPOCH}")
    set(ENV{SOURCE_DATE_EPOCH} ${seconds})
    string(TIMESTAMP date "%a, %d %b %Y %H:%M:%S +0000" UTC)
    set(ENV{SOURCE_DATE_EPOCH} "${saved_epoch}")
    set(trailer "\n -- ${maintainer}  ${date}\n\n")
  elseif(line MATCHES "^- (.*)")
    string(APPEND changelog "  * ${CMAKE_MATCH_1}\n")
  elseif(line MATCHES "^  (.*)")
    string(APPEND changelog "    ${CMAKE_MATCH_1}\n")
  endif()
endforeach()
string(REGEX REPLACE "\n\n$" "\n" changelog "${changelog}${trailer}")
file(WRITE "${doc}/changelog" "${changelog}")
execute_process(COMMAND "${CPACK_CONSOLEWORKS_GZIP}" -9nf "${doc}/changelog" COMMAND_ERROR_IS_FATAL ANY)

if("$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
  find_package(Git QUIET)
  if(Git_FOUND)
    execute_process(COMMAND "${GIT_EXECUTABLE}" -C "${source}" log -1 --format=%ct OUTPUT_VARIABLE commit_time
                    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE git_status)
  endif()
  if(Git_FOUND AND git_status EQUAL 0 AND commit_time MATCHES "^[0-9]+$")
    set(ENV{SOURCE_DATE_EPOCH} ${commit_time})
  else()
    set(ENV{SOURCE_DATE_EPOCH} ${newest_date})
  endif()
endif()

# The copyright file: the licence's own text under a machine-readable header.
file(READ "${source}/LICENSE" licence)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" _ "${licence}")
set(holder "${CMAKE_MATCH_1}")
string(REGEX REPLACE "^.*\n\n(Permission)" "\\1" licence "${licence}")
string(REGEX REPLACE "\n+$" "" licence "${licence}")
string(REPLACE "\n\n" "\n.\n" licence "${licence}")
string(REPLACE "\n" "\n " licence "${licence}")
file(WRITE "${doc}/copyright" "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: ${CPACK_PACKAGE_NAME}

Files: *
Copyright: ${holder}
License: Expat
 ${licence}
")
file(REMOVE "${doc}/LICENSE" "${doc}/CHANGELOG.md")
file(GLOB documents "${doc}/*.md")
foreach(document IN LISTS documents)
  file(SIZE "${document}" size)
  if(size GREATER 4096)
    execute_process(COMMAND "${CPACK_CONSOLEWORKS_GZIP}" -9nf "${document}" COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()

# Modes as Debian wants them, whatever the umask of the build: 755 for folders and programs,
# 644 for the other files.
file(GLOB_RECURSE staged LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
foreach(path IN LISTS staged)
  if(IS_DIRECTORY "${path}" OR path MATCHES "/bin/[^/]+$")
    file(CHMOD "${path}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                                     WORLD_EXECUTE)
  else()
    file(CHMOD "${path}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  endif()
endforeach()
