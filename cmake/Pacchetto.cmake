# The Debian package of the installed programs (cpack -G DEB in the build folder): the runtime
# libraries found by dpkg-shlibdeps, plus what the programs load at run time and no library
# names: the Qt platform plugins, the SQLite and ODBC drivers of QtSql, unixODBC and Qt's own
# translations.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarnodriver)
set(CPACK_PACKAGE_VENDOR "Tarno Driver developers")
set(CPACK_PACKAGE_CONTACT "Tarno Driver developers <tarnodriver@example.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor of the drivers of a telephone call-accounting suite")
# The long description, after the summary line; CPack indents it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "A PBX prints a few text lines for every call; a driver (an INI file, .drv)
tells the suite's import engine how to recognise the calls in that printout
and where each field lies. This package holds the desktop editor
(tarnodriver), a command-line tool over the same core (tarnodrv), the import
engine that verifies a driver on a sample printout (tarnominer) and a demo
suite from which each user's own suite is made on the first start.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, libqt6sql6-sqlite, libqt6sql6-odbc, libodbc2, unixodbc, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
