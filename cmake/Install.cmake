# What an installed gwconfig brings along besides its programs and data: the menu entry, its icon, the
# AppStream description, the manual pages (made from the programs' own --help) and bash completion for gwctl.

set(GW_INSTALL_DATA ${PROJECT_SOURCE_DIR}/data/install)
set(GW_APP_ID org.gwconfig.gwconfig)

install(FILES ${GW_INSTALL_DATA}/${GW_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${GW_INSTALL_DATA}/${GW_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/src/ui/icons/app.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${GW_APP_ID}.svg)
install(FILES ${GW_INSTALL_DATA}/gwctl.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME gwctl)
install(FILES ${GW_INSTALL_DATA}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# One manual page per program, compressed as Debian keeps them.
set(GW_MAN_DIR ${PROJECT_BINARY_DIR}/man)
set(GW_MAN_PAGES "")
function(gw_man_page program summary)
  if(NOT TARGET ${program})
    return()
  endif()
  set(page ${GW_MAN_DIR}/${program}.1)
  add_custom_command(
    OUTPUT ${page}.gz
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${program}> -DNAME=${program} "-DSUMMARY=${summary}"
            -DVERSION=${PROJECT_VERSION} -DOUTPUT=${page} "-DSEE_ALSO=${ARGN}" -DCOMMANDS=$<STREQUAL:${program},gwctl>
            -P ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake
    COMMAND gzip -9nf ${page}
    DEPENDS ${program} ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake
    COMMENT "Manual page of ${program}"
    VERBATIM)
  set(GW_MAN_PAGES ${GW_MAN_PAGES} ${page}.gz PARENT_SCOPE)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
file(MAKE_DIRECTORY ${GW_MAN_DIR})
gw_man_page(gwconfig "configure and service GSM-VoIP gateways" "gwctl(1), gwsim(1)")
gw_man_page(gwctl "configure and service GSM-VoIP gateways from scripts" "gwconfig(1), gwsim(1)")
gw_man_page(gwsim "a simulated GSM-VoIP gateway for tests and demonstrations" "gwconfig(1), gwctl(1)")
add_custom_target(man_pages ALL DEPENDS ${GW_MAN_PAGES})

# The Debian package: dependencies found by dpkg-shlibdeps, stripped programs, the changelog Debian wants.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME gwconfig)
set(CPACK_PACKAGE_VENDOR "The gwconfig developers")
set(CPACK_PACKAGE_CONTACT "The gwconfig developers <maintainers@gwconfig.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configure and service GSM-VoIP gateways")
# The long description; CPack puts the summary above it and indents it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "gwconfig reads a GSM-VoIP gateway's configuration over a serial port or the
LAN, lets the operator edit it on parameter pages, writes it back and keeps it
in parameter files, and services the gateway: clock, log, call records,
statistics, tracing, terminal, voice messages, module and call views, login
account, resets and firmware upgrades. gwctl does the same from scripts; gwsim
simulates a gateway for tests and demonstrations.")
# Loaded at run time, so dpkg-shlibdeps cannot see them: the window system plugins and the SVG icons.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_SECTION comm)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(GW_CHANGELOG ${PROJECT_BINARY_DIR}/changelog.Debian.gz)
add_custom_command(
  OUTPUT ${GW_CHANGELOG}
  COMMAND ${CMAKE_COMMAND} -E copy ${GW_INSTALL_DATA}/changelog.Debian ${PROJECT_BINARY_DIR}/changelog.Debian
  COMMAND gzip -9nf ${PROJECT_BINARY_DIR}/changelog.Debian
  DEPENDS ${GW_INSTALL_DATA}/changelog.Debian
  VERBATIM)
add_custom_target(changelog ALL DEPENDS ${GW_CHANGELOG})
install(FILES ${GW_CHANGELOG} DESTINATION ${CMAKE_INSTALL_DOCDIR})
include(CPack)
