# Installation and packages: the two programs and their man pages, the desktop entry, the
# icons and the MIME type that makes a double-clicked .KVO file open in KIVO. `cpack -G DEB`
# builds from the same rules.
include(GNUInstallDirs)

install(TARGETS kivo kivo-cli
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  BUNDLE DESTINATION .)

if(UNIX AND NOT APPLE)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/kivo.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/kivo-mime.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME kivo.xml)
  foreach(size 48 256)
    install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/kivo-${size}.png
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME kivo.png)
    install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/kivo-${size}.png
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/mimetypes
      RENAME application-x-kivo-client.png)
  endforeach()

  # The desktop finds the new MIME type and entry through caches in the prefix: refresh them
  # after a direct install (also into /usr/local or a home folder), so double-clicking a .KVO
  # file opens KIVO. A staged install (DESTDIR, cpack) leaves them alone: the package
  # manager's triggers refresh the caches on the target machine.
  install(CODE "set(kivo_datadir \"${CMAKE_INSTALL_DATADIR}\")")
  install(CODE [[
    if("$ENV{DESTDIR}" STREQUAL "")
      if(IS_ABSOLUTE "${kivo_datadir}")
        set(kivo_share "${kivo_datadir}")
      else()
        set(kivo_share "${CMAKE_INSTALL_PREFIX}/${kivo_datadir}")
      endif()
      find_program(kivo_update_mime update-mime-database)
      find_program(kivo_update_desktop update-desktop-database)
      if(kivo_update_mime)
        message(STATUS "Updating the MIME database in ${kivo_share}/mime")
        execute_process(COMMAND "${kivo_update_mime}" "${kivo_share}/mime")
      else()
        message(STATUS "update-mime-database not found (package shared-mime-info): run "
                       "update-mime-database ${kivo_share}/mime once it is installed")
      endif()
      if(kivo_update_desktop)
        message(STATUS "Updating the desktop database in ${kivo_share}/applications")
        execute_process(COMMAND "${kivo_update_desktop}" "${kivo_share}/applications")
      else()
        message(STATUS "update-desktop-database not found (package desktop-file-utils): run "
                       "update-desktop-database ${kivo_share}/applications once it is installed")
      endif()
    endif()
  ]])
endif()

# What a Debian package carries besides the programs: the man pages (built from the README),
# and in share/doc/kivo the copyright and, gzip -9n compressed, the changelog.
if(UNIX AND NOT APPLE)
  include(${PROJECT_SOURCE_DIR}/man/ManPages.cmake)
  set(kivo_doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/kivo)
  add_custom_command(
    OUTPUT ${PROJECT_BINARY_DIR}/debian/changelog.gz
    COMMAND ${KIVO_GZIP} -9nc ${PROJECT_SOURCE_DIR}/cmake/debian/changelog
            > ${PROJECT_BINARY_DIR}/debian/changelog.gz
    DEPENDS ${PROJECT_SOURCE_DIR}/cmake/debian/changelog
    COMMENT "Debian changelog")
  file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/debian)
  add_custom_target(kivo_debian_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog.gz)
  install(FILES ${PROJECT_SOURCE_DIR}/cmake/debian/copyright
                ${PROJECT_BINARY_DIR}/debian/changelog.gz
    DESTINATION ${kivo_doc_dir})
endif()

set(CPACK_PACKAGE_NAME kivo)
set(CPACK_PACKAGE_VENDOR "KIVO")
set(CPACK_PACKAGE_CONTACT "KIVO developers <kivo@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Administers and scores the KIVO hearing-aid questionnaire")
# The extended description, wrapped as the package's control file shows it.
set(CPACK_PACKAGE_DESCRIPTION [=[
KIVO is a desktop program for hearing-care clinicians. It records a client's
details and two hearing-aid fittings, takes the client's answers to one of the
three forms of the KIVO questionnaire for both fittings, scores six subscales
per fitting against population norms, and prints a one-page score report and
blank paper questionnaires.

kivo-cli does the same from the command line: it scores folders of any number
of client files into CSV or JSON, prints one score report PDF per client and
prints blank questionnaires, with no display needed.]=])
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY KIVO)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# dpkg-shlibdeps finds the libraries the programs link (libc, Qt, libjpeg, libacl); these are what it
# cannot see: the window system plugins Qt loads at run time and the fonts the layouts use.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
