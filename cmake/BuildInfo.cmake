# What the program knows of its build: the version, and where an installed copy finds the files
# it ships (share/miravel6 seen from bin/); the window icon as a resource.
include(GNUInstallDirs)

# The day PROJECT_VERSION was released: the metainfo, the man pages and the package's changelog.
set(MIRAVEL6_RELEASE_DATE 2026-12-07)

file(RELATIVE_PATH MIRAVEL6_SHIPPED_FROM_BIN
    ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/miravel6)
configure_file(${PROJECT_SOURCE_DIR}/cmake/build_info.h.in
    ${PROJECT_BINARY_DIR}/generated/build_info.h @ONLY)
target_include_directories(miravel6_files PRIVATE ${PROJECT_BINARY_DIR}/generated)
if(TARGET miravel6-virtual-board)
    target_include_directories(miravel6-virtual-board PRIVATE ${PROJECT_BINARY_DIR}/generated)
endif()

# Drawing the SVG needs Qt's svg plugins (libqt6svg6) at run time.
qt_add_resources(miravel6_window miravel6_icon PREFIX /icons BASE ${PROJECT_SOURCE_DIR}/data
    FILES ${PROJECT_SOURCE_DIR}/data/org.miravel6.Miravel6.svg)
