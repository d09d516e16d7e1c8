# Installation and the Debian package.
#
#   cmake --install build --prefix /usr/local   installs every tool, its manual
#                                               page, the README with its pictures,
#                                               the licence and the changelog
#   cpack -G DEB --config build/CPackConfig.cmake   builds echo-track_<version>_<arch>.deb

include(GNUInstallDirs)

set(CPACK_PACKAGE_NAME echo-track)
set(CPACK_PACKAGE_CONTACT "ECHO-TRACK maintainers <maintainers@users.noreply.c-seed-21995289.example>")
set(echo_track_docdir ${CMAKE_INSTALL_DATAROOTDIR}/doc/${CPACK_PACKAGE_NAME})

# Every tool, each with its manual page man/<tool>.1; a new tool joins by its
# name here. A tool that this configuration does not build is left out.
set(echo_track_tools
  echo-track
  echo-track-plot
  echo-track-traffic
  echo-track-sheets
  echo-track-grade
)

# No program of the project may be left out of the list.
function(echo_track_executables dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  set(found)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
      list(APPEND found ${target})
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    echo_track_executables(${subdir} more)
    list(APPEND found ${more})
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()
echo_track_executables(${PROJECT_SOURCE_DIR} echo_track_built)
foreach(program IN LISTS echo_track_built)
  if(NOT program IN_LIST echo_track_tools)
    message(FATAL_ERROR "${program} is not in echo_track_tools (cmake/Packaging.cmake): it would be neither installed nor packaged")
  endif()
endforeach()

# Manual pages go out compressed, as gzip -9n makes them: no name or time
# stamp inside, so the same page gives the same bytes.
set(echo_track_man_pages)
foreach(tool IN LISTS echo_track_tools)
  if(NOT TARGET ${tool})
    continue()
  endif()
  set(page ${PROJECT_SOURCE_DIR}/man/${tool}.1)
  if(NOT EXISTS ${page})
    message(FATAL_ERROR "${tool} has no manual page man/${tool}.1")
  endif()
  set(compressed ${PROJECT_BINARY_DIR}/man/${tool}.1.gz)
  add_custom_command(OUTPUT ${compressed}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
                     COMMAND sh -c "gzip -9n <\"$1\" >\"$2\"" sh ${page} ${compressed}
                     DEPENDS ${page} VERBATIM)
  list(APPEND echo_track_man_pages ${compressed})
  install(TARGETS ${tool} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

# The changelog of a native package, from CHANGELOG.md; the build stops when
# its newest release is not the project version.
set(echo_track_changelog ${PROJECT_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${echo_track_changelog}
                   COMMAND bash ${PROJECT_SOURCE_DIR}/packaging/debian_changelog.sh ${PROJECT_SOURCE_DIR}/CHANGELOG.md
                           ${CPACK_PACKAGE_NAME} ${CPACK_PACKAGE_CONTACT} ${PROJECT_VERSION} ${echo_track_changelog}
                   DEPENDS ${PROJECT_SOURCE_DIR}/CHANGELOG.md ${PROJECT_SOURCE_DIR}/packaging/debian_changelog.sh
                   VERBATIM)
add_custom_target(distribution_files ALL DEPENDS ${echo_track_man_pages} ${echo_track_changelog})

# The README with every picture and page it links, at the same relative path.
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${echo_track_changelog} DESTINATION ${echo_track_docdir})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${echo_track_docdir})
# The traffic report's JSON Schema and the example exercise files that the
# manual page names.
install(FILES ${PROJECT_SOURCE_DIR}/docs/traffic-report.schema.json DESTINATION ${echo_track_docdir}/docs)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${echo_track_docdir}/examples FILES_MATCHING PATTERN "*.toml")
file(READ ${PROJECT_SOURCE_DIR}/README.md readme)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/README.md)
# (The closing bracket of the link text is left out of the match: a lone
# bracket in a list element would stop CMake from splitting the list.)
string(REGEX MATCHALL "\\([A-Za-z0-9_./-]+\\.(png|svg|jpg|jpeg|gif|md)\\)" links "${readme}")
list(REMOVE_DUPLICATES links)
foreach(link IN LISTS links)
  string(REGEX REPLACE "^\\((.*)\\)$" "\\1" picture "${link}")
  get_filename_component(folder ${picture} DIRECTORY)
  install(FILES ${PROJECT_SOURCE_DIR}/${picture} DESTINATION ${echo_track_docdir}/${folder})
endforeach()

# A static-PIE echo-track is an ELF shared object by type that needs no
# library, not even libc; lintian takes the missing NEEDED entry for a fault.
if(echo_track_static_link)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/lintian-overrides
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides RENAME ${CPACK_PACKAGE_NAME})
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_VENDOR "ECHO-TRACK maintainers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "radar plotting calculator for collision avoidance at sea")
# The long description as Debian shows it: lines under 80 characters.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "ECHO-TRACK solves the relative-motion plot of two timed radar observations"
    "(true bearing and range) of an approaching ship: its relative course and"
    "speed, the bearing and distance of the closest point of approach, and its"
    "true course and speed. It then gives the true course to which the own"
    "ship must turn, at unchanged speed, a given number of minutes later so"
    "that the other ship passes at a required distance, for a turn to"
    "starboard and for a turn to port."
    "It is an interactive console program: one question per line, with a"
    "default for every value."
    "echo-track-plot draws one exercise as a plotting sheet: an SVG, PNG or"
    "PDF picture of the plot and of the manoeuvre. echo-track-traffic solves"
    "a traffic exercise of several ships from a file: every CPA, the own"
    "courses that clear them all and the manoeuvre, as a report, JSON or a"
    "picture. echo-track-sheets makes seeded plotting exercises with their"
    "answer keys as an A4 PDF, and answer forms that echo-track-grade grades"
    "against the key with the tolerances of hand plotting.")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends is read off the binaries by dpkg-shlibdeps (the C and C++ run-times,
# cairo for echo-track-plot), so the versions match the build machine.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

# A source tarball should hold the sources only, not build trees or git data.
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/" "/fuzz-out[^/]*/" "\\\\.swp$")

include(CPack)
