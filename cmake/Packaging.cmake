# Installation and packages: the two programs, the desktop entry, the icons and the MIME type
# that makes a double-clicked .KVO file open in KIVO. `cpack -G DEB` builds from the same rules.
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
endif()

set(CPACK_PACKAGE_NAME kivo)
set(CPACK_PACKAGE_VENDOR "KIVO")
set(CPACK_PACKAGE_CONTACT "KIVO developers <kivo@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Administers and scores the KIVO hearing-aid questionnaire")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY KIVO)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libqt6widgets6 (>= 6.4), libqt6printsupport6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6core6 (>= 6.4), libjpeg62-turbo, qt6-qpa-plugins, fonts-liberation, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
include(CPack)
