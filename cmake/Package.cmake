# scripts/miravel6 package: a .deb of what cmake --install puts in place, its dependencies
# taken from the binaries by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME miravel6)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programmazione della scheda di controllo luci Miravel6")
# Lines under 80 characters, as Debian wants them.
set(CPACK_PACKAGE_DESCRIPTION
    "Miravel6 configura la scheda di controllo luci Miravel6 (10 uscite, un ciclo
di fino a 8 fasi temporali) su una griglia che disegna l'andamento della
luminosità di ogni uscita, salva le configurazioni in file .dm6 e le legge o
le scrive sulla scheda attraverso una porta seriale. Comprende miravel6-cli,
che programma e verifica le schede dalla riga di comando, e
miravel6-virtual-board, una scheda virtuale su uno pseudo-terminale per
provare il programma senza hardware.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Sviluppatori di Miravel6 <miravel6@miravel6.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://miravel6.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: the svg plugins draw the window icon,
# and Qt's Italian translations give its buttons and file dialogs the program's language. The
# SVG export and the print are linked (dpkg-shlibdeps finds them too); named for clarity.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, libqt6printsupport6, qt6-translations-l10n")
include(CPack)
