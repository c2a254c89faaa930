# What an installation holds besides the programs and their files (resources/ and the store
# install those): man pages, the systemd user unit of the headless program (installed, never
# enabled), the AppStream metadata; and the Debian package built from all of it by
# `cpack -G DEB` in the build folder.
include(GNUInstallDirs)

install(FILES ${PROJECT_SOURCE_DIR}/resources/man/corvane-headless.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
if(CORVANE_GUI)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/man/corvane.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/org.corvane.Corvane.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

# The unit names the program by its installed path, which is known only when installing (a
# package is installed to another prefix than the build was configured with).
set(corvane_unit_source ${PROJECT_SOURCE_DIR}/resources/systemd/corvane-headless.service)
set(corvane_unit ${PROJECT_BINARY_DIR}/systemd/corvane-headless.service)
install(CODE "
  set(CORVANE_BINDIR \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  configure_file(\"${corvane_unit_source}\" \"${corvane_unit}\" @ONLY)
")
install(FILES ${corvane_unit} DESTINATION lib/systemd/user)

set(CPACK_PACKAGE_NAME corvane)
set(CPACK_PACKAGE_VENDOR "Corvane")
set(CPACK_PACKAGE_CONTACT "Corvane maintainers <maintainers@corvane.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop syslog server")
set(CPACK_PACKAGE_DESCRIPTION
    "Receives syslog messages over UDP and TCP, stores them in its own data files and shows\n"
    "them in a window with a grid, a details pane and filters; alerts by sound or program.\n"
    "A headless program does the same without a window, for example as a user service.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The shared libraries the programs link come from dpkg-shlibdeps; the rest they need at run time
# is named here: the platform plugins (offscreen, xcb) come with libqt6gui6, the SVG plugin for
# the icon with libqt6svg6.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6gui6, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, fonts-dejavu-core, sound-theme-freedesktop")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libcap2-bin")
include(CPack)
