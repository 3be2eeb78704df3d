# Installation and the Debian package. The programs look for their read-only
# data in share/torvel beside bin/ and copy it into each user's directory.
set(TORVEL_INSTALL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/torvel)

install(TARGETS torvel-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${TORVEL_RUNTIME_DIR}/table.res ${TORVEL_RUNTIME_DIR}/ranking.res
        DESTINATION ${TORVEL_INSTALL_DATA_DIR})
install(DIRECTORY ${TORVEL_RUNTIME_DIR}/data DESTINATION ${TORVEL_INSTALL_DATA_DIR})
# Manual pages go in compressed, without a time stamp so builds match.
find_program(TORVEL_GZIP gzip REQUIRED)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/torvel-cli.1.gz
                   COMMAND ${TORVEL_GZIP} -9 -n -c ${CMAKE_SOURCE_DIR}/docs/torvel-cli.1 > ${CMAKE_BINARY_DIR}/torvel-cli.1.gz
                   DEPENDS ${CMAKE_SOURCE_DIR}/docs/torvel-cli.1 VERBATIM)
add_custom_target(torvel_manpage ALL DEPENDS ${CMAKE_BINARY_DIR}/torvel-cli.1.gz)
install(FILES ${CMAKE_BINARY_DIR}/torvel-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
if(TORVEL_GUI)
  install(TARGETS torvel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(DIRECTORY ${TORVEL_RUNTIME_DIR}/images DESTINATION ${TORVEL_INSTALL_DATA_DIR})
  install(FILES ${TORVEL_RUNTIME_DIR}/zivuzadir.jpg DESTINATION ${TORVEL_INSTALL_DATA_DIR} OPTIONAL)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/org.torvelicm.TorvelICM.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/org.torvelicm.TorvelICM.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

set(CPACK_PACKAGE_NAME torvel)
set(CPACK_PACKAGE_VENDOR "Torvel ICM")
set(CPACK_PACKAGE_CONTACT "Torvel ICM developers <torvel@torvel-icm.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Push/fold decisions under ICM for Sit-and-Go tournaments")
set(CPACK_PACKAGE_INSTALL_DIRECTORY torvel)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beyond the linked libraries: the window needs a platform plugin and Qt
# brings no fonts of its own.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core")
set(CPACK_STRIP_FILES ON)
include(CPack)
