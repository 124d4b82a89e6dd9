# What `cmake --install` puts where, and the Debian package built from it.
# Component Runtime: the program and what the desktop needs to show it.
# Component Development: the core library, its header and a CMake package.
include(CMakePackageConfigHelpers)

set(PRISM_APP_ID org.prismcompose.PrismCompose)
set(data ${PROJECT_SOURCE_DIR}/app/data)

install(TARGETS prism-compose RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime)
install(FILES ${data}/${PRISM_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT Runtime)
install(FILES ${data}/${PRISM_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT Runtime)
install(FILES ${data}/${PRISM_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT Runtime)

install(TARGETS prism EXPORT PrismComposeTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/prism/include/prism
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT Development)
set(cmakedir ${CMAKE_INSTALL_LIBDIR}/cmake/PrismCompose)
install(EXPORT PrismComposeTargets NAMESPACE prism:: DESTINATION ${cmakedir} COMPONENT Development)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/PrismComposeConfig.cmake.in
  ${PROJECT_BINARY_DIR}/PrismComposeConfig.cmake INSTALL_DESTINATION ${cmakedir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/PrismComposeConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/PrismComposeConfig.cmake ${PROJECT_BINARY_DIR}/PrismComposeConfigVersion.cmake
        DESTINATION ${cmakedir} COMPONENT Development)

# The .deb holds the Runtime component. Library dependencies are read off the
# binary by dpkg-shlibdeps; the platform plugin, the fonts the window names,
# Qt's translations and libcups (loaded at the first print) are not linked, so
# they are listed by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME prism-compose)
set(CPACK_PACKAGE_VENDOR "prism-compose")
set(CPACK_PACKAGE_CONTACT "prism-compose developers <dev@prism-compose.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Ophthalmic prism composition calculator (プリズムの合成)")
set(CPACK_PACKAGE_DESCRIPTION "Combines two ophthalmic prisms, each a power in prism dioptres and a base \
direction, into the single equivalent prism, shown as text beside a vector diagram; prints the window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libcups2, qt6-qpa-plugins, qt6-translations-l10n, fonts-ipafont-gothic, fonts-motoya-l-maruberi")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "cups")
set(CPACK_COMPONENTS_ALL Runtime)
set(CPACK_DEB_COMPONENT_INSTALL OFF)
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};Runtime;/")
include(CPack)
