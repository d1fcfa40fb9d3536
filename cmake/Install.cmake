# Installation under CMAKE_INSTALL_PREFIX, in the GNU layout, and the Debian package.
#   bin/zarn
#   share/zarn/zarn-applethost.jar            the applet host
#   share/zarn/temp/*.txt, share/zarn/Options.dat
#                                             copies a new per-user application folder starts from
#   share/applications/zarn.desktop, share/icons/hicolor/scalable/apps/zarn.svg,
#   share/metainfo/io.github.zarnide.zarn.metainfo.xml
install(TARGETS zarn RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${ZARN_APP_DIR}/zarn-applethost.jar DESTINATION ${CMAKE_INSTALL_DATADIR}/zarn)
install(FILES
    ${PROJECT_SOURCE_DIR}/resources/temp/NotDone.txt
    ${PROJECT_SOURCE_DIR}/resources/temp/Done.txt
    ${PROJECT_SOURCE_DIR}/resources/temp/temp.txt
    DESTINATION ${CMAKE_INSTALL_DATADIR}/zarn/temp)

# The first settings of a new user: Courier New at 12 points and the javac the
# installation depends on.
set(ZARN_INSTALLED_JAVAC "/usr/bin/javac" CACHE STRING "The javac a new user's Options.dat names")
file(WRITE ${CMAKE_BINARY_DIR}/installed/Options.dat "4,2,\"${ZARN_INSTALLED_JAVAC}\"\r\n")
install(FILES ${CMAKE_BINARY_DIR}/installed/Options.dat DESTINATION ${CMAKE_INSTALL_DATADIR}/zarn)

install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/zarn.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/zarn.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
configure_file(${PROJECT_SOURCE_DIR}/resources/desktop/io.github.zarnide.zarn.metainfo.xml.in
    ${CMAKE_BINARY_DIR}/installed/io.github.zarnide.zarn.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/installed/io.github.zarnide.zarn.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zarn)
set(CPACK_PACKAGE_VENDOR "The Zarn developers")
set(CPACK_PACKAGE_CONTACT "The Zarn developers <zarn@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Small, fast editor for Java applets")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
# The libraries the executable links (Qt 6, fontconfig, ...) come from dpkg-shlibdeps;
# what it runs or loads at run time is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, openjdk-17-jdk | default-jdk, fontconfig, fonts-liberation, fonts-dejavu-core, fonts-dejavu-extra, fonts-freefont-ttf")
include(CPack)
