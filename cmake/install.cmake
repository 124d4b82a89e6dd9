# SPDX-License-Identifier: MIT
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

# What Debian's policy asks of every package beside the program: its licence
# in the machine-readable form, its changelog and its manual pages (English,
# and Japanese for the users' own language), compressed reproducibly: gzip
# -n stores neither the file's name nor its time.
set(packaging ${PROJECT_SOURCE_DIR}/packaging)
find_program(PRISM_GZIP gzip REQUIRED)
set(compressed)
foreach(pair "prism-compose.1;man/man1/prism-compose.1.gz" "prism-compose.ja.1;man/ja/man1/prism-compose.1.gz"
             "changelog;doc/changelog.gz")
  list(GET pair 0 source)
  list(GET pair 1 output)
  set(output ${PROJECT_BINARY_DIR}/packaging/${output})
  get_filename_component(folder ${output} DIRECTORY)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND sh -c "'${PRISM_GZIP}' -9n < '${packaging}/${source}' > '${output}'"
    DEPENDS ${packaging}/${source} VERBATIM)
  list(APPEND compressed ${output})
endforeach()
add_custom_target(packaging-docs ALL DEPENDS ${compressed})
set(built ${PROJECT_BINARY_DIR}/packaging)
install(FILES ${built}/man/man1/prism-compose.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT Runtime)
install(FILES ${built}/man/ja/man1/prism-compose.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/ja/man1 COMPONENT Runtime)
install(FILES ${built}/doc/changelog.gz ${packaging}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR}
        COMPONENT Runtime)

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
# The long description in lines of at most 80 characters, as Debian's
# control files want it.
set(CPACK_PACKAGE_DESCRIPTION "Combines two ophthalmic prisms, each a power in prism dioptres and a
base direction from 0 to 360 degrees, into the single equivalent prism,
shown as a line of text beside a vector diagram of the three prisms.
The window has a Japanese user interface and prints on the default printer.")
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
