# Installation and the Debian package.
#
#   cmake --install build --prefix /usr/local   installs bin/echo-track, the
#                                               manual page and the README
#   cpack -G DEB --config build/CPackConfig.cmake   builds echo-track_<version>_<arch>.deb

include(GNUInstallDirs)

install(TARGETS echo-track RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/man/echo-track.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME echo-track)
set(CPACK_PACKAGE_VENDOR "ECHO-TRACK maintainers")
set(CPACK_PACKAGE_CONTACT "ECHO-TRACK maintainers <maintainers@users.noreply.c-seed-21995289.example>")
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
    "default for every value.")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The run-time libraries (libc6, libstdc++6, libgcc-s1) are read off the
# binary by dpkg-shlibdeps, so the versions match the build machine.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

# A source tarball should hold the sources only, not build trees or git data.
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/" "/fuzz-out[^/]*/" "\\\\.swp$")

include(CPack)
