# The desktop entry, the icons and the Debian package (`cpack -G DEB` in the release build).
set(LUMORA_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(LUMORA_ICON_SIZES 16 32 48 128 256)

if(LUMORA_WIDGETS)
  install(FILES ${LUMORA_PACKAGING_DIR}/lumora.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  foreach(size ${LUMORA_ICON_SIZES})
    install(FILES ${LUMORA_PACKAGING_DIR}/icons/lumora-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME lumora.png)
  endforeach()
  install(FILES ${LUMORA_PACKAGING_DIR}/icons/lumora.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lumora)

set(CPACK_PACKAGE_NAME lumora)
set(CPACK_PACKAGE_VENDOR "Ostrel Corporation")
set(CPACK_PACKAGE_CONTACT "Lumora developers <lumora@ostrel.example>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "organizer for the data of a Kiro handheld")
set(CPACK_PACKAGE_DESCRIPTION
    "Lumora keeps, on the PC, the personal data of a Kiro handheld: the schedule, the address book,
the To Do outline, handwritten memo sheets, the memo pad and the reference viewer, with a
Japanese user interface. lumora-cli works on the same data from the command line,
lumora-hotsync stands in for the HotSync manager and lumora-install queues handheld files.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The release build keeps debugging information; the package does not.
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://kiro.ostrel.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What linking does not show: the Japanese texts of Qt's own dialogs (qtbase_ja.qm, loaded from
# Qt's translations folder), a font with kanji, and xdg-open for the help pages.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk | fonts-ipafont-gothic | fonts-vlgothic, xdg-utils, qt6-wayland")

include(CPack)
