# What `cmake --install` puts on a system and how `cpack -G DEB` packs it: both programs and the
# launcher's window library, the module's help, the launcher's menu entry and icon. Qt's Spanish
# translations and the X11 platform plugin are dependencies, the shared libraries are found by
# dpkg-shlibdeps.
include(GNUInstallDirs)

install(TARGETS qel pm0588 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS qel_launcher LIBRARY DESTINATION ${QEL_LAUNCHER_LIBRARY_FOLDER})
install(FILES ${CMAKE_SOURCE_DIR}/data/help/Pm588.html DESTINATION ${CMAKE_INSTALL_DATADIR}/qel0588/help)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/qel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/qel.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/docs/batch.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
# The package's copyright and its changelog, compressed without a time stamp as Debian asks
# (a native package: changelog.gz).
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
set(QEL_CHANGELOG_GZ ${CMAKE_BINARY_DIR}/changelog.gz)
execute_process(COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/packaging/changelog OUTPUT_FILE ${QEL_CHANGELOG_GZ}
                COMMAND_ERROR_IS_FATAL ANY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/packaging/changelog)
install(FILES ${QEL_CHANGELOG_GZ} DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME qel0588)
set(CPACK_PACKAGE_VENDOR "QEL")
set(CPACK_PACKAGE_CONTACT "Soporte QEL <soporte@qel.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Declaración anual de Renta 2018 3ra. Categoría e ITF (formulario 0588)")
# The long text of the control file's description; CPack puts the summary above it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Módulo 0588, Declaración Pago Anual Impuesto a la Renta 2018 3ra. Categoría
e ITF, con el Integrador del QEL que lo instala y lo inicia: llena la
declaración y sus anexos, los importa desde archivos, valida, graba e
imprime.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, qt6-qpa-plugins, qt6-translations-l10n, fonts-dejavu-core")
include(CPack)
