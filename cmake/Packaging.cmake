# Installation and the Debian package (cpack -G DEB). Installed, the
# shipped start-up files are read-only in share/keslog; each user's program
# folder is made from them on the first start (platform/linux/ProgramFolder).
include(GNUInstallDirs)

set(KESLOG_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/keslog)
install(FILES data/KESLOG90.INI data/KESLOG90.DAT data/SS-SECTIONS.TXT data/NA-MULTS.TXT data/arrl.cty
        DESTINATION ${KESLOG_SHARE_DIR} PERMISSIONS OWNER_READ GROUP_READ WORLD_READ)
install(DIRECTORY data/help DESTINATION ${KESLOG_SHARE_DIR}
        FILE_PERMISSIONS OWNER_READ GROUP_READ WORLD_READ)
install(FILES packaging/keslog.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The logs' MIME type, so that a double-click on a log opens it in keslog;
# shared-mime-info's trigger brings it into the MIME database.
install(FILES packaging/keslog.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES packaging/keslog.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES README.md docs/guide.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY docs/images DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The package carries the program's own version ("9.0a").
file(STRINGS src/model/Version.h KESLOG_VERSION_LINE REGEX "kProgramVersion = ")
string(REGEX REPLACE ".*\"(.*)\".*" "\\1" KESLOG_PROGRAM_VERSION "${KESLOG_VERSION_LINE}")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_VERSION ${KESLOG_PROGRAM_VERSION})
set(CPACK_PACKAGE_NAME keslog)
set(CPACK_PACKAGE_VENDOR "KESLOG")
set(CPACK_PACKAGE_CONTACT "KESLOG developers <keslog@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "contest logger for the single-operator amateur-radio station")
set(CPACK_PACKAGE_DESCRIPTION "KESLOG logs contest QSOs as they are typed, checks each exchange by the
contest's rules, flags dupes, keeps multipliers and score, writes every
QSO to disk at once, keys the transmitter (serial DTR, parallel port,
sound card voice keyer) and writes the sponsor files after the contest.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded as plugins, so dpkg-shlibdeps cannot see them: the X11 and
# Wayland platform plugins; shared-mime-info for the logs' MIME type.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, shared-mime-info")
include(CPack)
