# What installation brings besides the programs: the desktop entry and its
# icon. And a Debian package of it all: `cpack -G DEB` in the build folder.
include(GNUInstallDirs)

install(FILES ${PROJECT_SOURCE_DIR}/assets/desktop/vorlo-control-center.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/assets/desktop/vorlo-control-center.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/vorlo-control-center)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${doc_dir} RENAME copyright)
install(FILES ${PROJECT_SOURCE_DIR}/assets/fonts/README.md ${PROJECT_SOURCE_DIR}/assets/fonts/LICENSE-Apache-2.0
        DESTINATION ${doc_dir}/typeface)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorlo-control-center)
set(CPACK_PACKAGE_VENDOR "Vorlo MIDI Control Center")
set(CPACK_PACKAGE_CONTACT "Vorlo MIDI Control Center maintainers <maintainers@vorlo-control-center.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor for the Velmora Vorlo, a 25-key USB MIDI controller keyboard")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Finds the keyboard among the MIDI ports, reads what every control sends, lets you change it on a picture of the "
    "keyboard and stores it into one of the keyboard's memories. Also keeps settings in files, calibrates the pads "
    "and updates the firmware. With vorloctl, its command-line companion, and a demo on a simulated keyboard.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_LICENSE GPL-3.0)
# The libraries the programs link are found by dpkg-shlibdeps; JUCE opens the
# X libraries itself at run time, and reads the fontconfig settings.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libx11-6, libxext6, libxrandr2, libxinerama1, libxcursor1, libxrender1, fontconfig-config")
include(CPack)
