# Installation under CMAKE_INSTALL_PREFIX, in the GNU layout, and the Debian package.
#   bin/zarn
#   libexec/zarn/zarn-javac                   the compile script's way to the warm compiler
#   share/zarn/zarn-applethost.jar            the applet host
#   share/zarn/zarn-compiler.jar              the warm compiler
#   share/zarn/zarn-appletapi.jar             the Applet API for JDKs without one
#   share/zarn/zarn-runner.jar                the runner Publish > Runnable Jar puts in each jar
#   share/zarn/temp/*.txt, share/zarn/Options.dat
#                                             copies a new per-user application folder starts from
#   share/applications/zarn.desktop, share/icons/hicolor/scalable/apps/zarn.svg,
#   share/metainfo/io.github.zarnide.zarn.metainfo.xml
#   share/man/man1/zarn.1.gz, share/doc/zarn/copyright, share/doc/zarn/changelog.gz
install(TARGETS zarn RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS zarn-javac RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/zarn)
install(FILES ${ZARN_APP_DIR}/zarn-applethost.jar ${ZARN_APP_DIR}/zarn-appletapi.jar ${ZARN_APP_DIR}/zarn-runner.jar
              ${ZARN_APP_DIR}/zarn-compiler.jar
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zarn)
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

# The manual page and the package's changelog, compressed as Debian wants them
# (best compression, no time stamp, so the bytes do not change from build to build).
set(ZARN_COMPRESSED)
foreach(document man/zarn.1 doc/changelog)
    get_filename_component(name ${document} NAME)
    configure_file(${PROJECT_SOURCE_DIR}/resources/package/${name}.in ${CMAKE_BINARY_DIR}/installed/${name} @ONLY)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/installed/${name}.gz
        COMMAND gzip -9 -n -f -k ${CMAKE_BINARY_DIR}/installed/${name}
        DEPENDS ${CMAKE_BINARY_DIR}/installed/${name}
        VERBATIM)
    list(APPEND ZARN_COMPRESSED ${CMAKE_BINARY_DIR}/installed/${name}.gz)
endforeach()
add_custom_target(zarn_documents_compressed ALL DEPENDS ${ZARN_COMPRESSED})
install(FILES ${CMAKE_BINARY_DIR}/installed/zarn.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/installed/changelog.gz ${PROJECT_SOURCE_DIR}/resources/package/copyright
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zarn)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zarn)
set(CPACK_PACKAGE_VENDOR "The Zarn developers")
set(CPACK_PACKAGE_CONTACT "The Zarn developers <zarn@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Small, fast editor for Java applets")
set(CPACK_PACKAGE_DESCRIPTION "Zarn is a small native editor for people who write Java applets with
the JDK. One window holds one Java file; typing a dot behind a known package
name lists its sub-packages. It compiles the file with javac, shows the applet
running in a viewer window, and publishes the class, optionally with an HTML
page.")
# The installed program carries no debug symbols.
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
# The libraries the executable links (Qt 6, fontconfig, ...) come from dpkg-shlibdeps;
# what it runs or loads at run time is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, openjdk-17-jdk | default-jdk, fontconfig, fonts-liberation, fonts-dejavu-core, fonts-dejavu-extra, fonts-freefont-ttf")
include(CPack)
