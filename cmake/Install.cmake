# cmake --install: the executables, the samples and the help file, the desktop entry, icon,
# metainfo and man pages, and the documents a Debian package carries.
set(MIRAVEL6_ID org.miravel6.Miravel6)
set(MIRAVEL6_DATA ${PROJECT_SOURCE_DIR}/data)
set(MIRAVEL6_DATA_OUT ${PROJECT_BINARY_DIR}/data)
execute_process(COMMAND date -R -u -d "${MIRAVEL6_RELEASE_DATE} 12:00"
    OUTPUT_VARIABLE MIRAVEL6_RELEASE_STAMP OUTPUT_STRIP_TRAILING_WHITESPACE)

install(TARGETS miravel6 miravel6-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET miravel6-virtual-board)
    install(TARGETS miravel6-virtual-board RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES ${MIRAVEL6_PROGRAM_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/miravel6)
install(FILES ${MIRAVEL6_DATA}/${MIRAVEL6_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${MIRAVEL6_DATA}/${MIRAVEL6_ID}.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
configure_file(${MIRAVEL6_DATA}/${MIRAVEL6_ID}.metainfo.xml.in
    ${MIRAVEL6_DATA_OUT}/${MIRAVEL6_ID}.metainfo.xml @ONLY)
install(FILES ${MIRAVEL6_DATA_OUT}/${MIRAVEL6_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Man pages and the changelog go compressed, as Debian wants them.
set(MIRAVEL6_COMPRESSED)
foreach(page miravel6.1 miravel6-cli.1 miravel6-virtual-board.1)
    configure_file(${MIRAVEL6_DATA}/man/${page}.in ${MIRAVEL6_DATA_OUT}/${page} @ONLY)
    list(APPEND MIRAVEL6_COMPRESSED ${MIRAVEL6_DATA_OUT}/${page}.gz)
    install(FILES ${MIRAVEL6_DATA_OUT}/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
configure_file(${MIRAVEL6_DATA}/changelog.in ${MIRAVEL6_DATA_OUT}/changelog @ONLY)
list(APPEND MIRAVEL6_COMPRESSED ${MIRAVEL6_DATA_OUT}/changelog.gz)
foreach(compressed ${MIRAVEL6_COMPRESSED})
    string(REGEX REPLACE "\\.gz$" "" plain ${compressed})
    add_custom_command(OUTPUT ${compressed} COMMAND gzip -9nkf ${plain} DEPENDS ${plain}
        VERBATIM)
endforeach()
add_custom_target(miravel6_install_files ALL DEPENDS ${MIRAVEL6_COMPRESSED})
install(FILES ${MIRAVEL6_DATA_OUT}/changelog.gz ${MIRAVEL6_DATA}/copyright
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/miravel6)
