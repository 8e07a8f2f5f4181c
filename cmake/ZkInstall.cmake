# Install rules and the Debian package, in one place.
#
# Layout below the prefix (GNUInstallDirs):
#   bin/zkvr340a, bin/zkvr340a-ctl, bin/zkvr340a-sim
#   <libdir>/zkvr340a/libdevbridge.so   private to the program, loaded by name
#   share/applications, share/metainfo, share/icons/hicolor/{scalable,NxN}/apps
#   share/man/man1/zkvr340a-ctl.1       made from the tool's --help
# The program and the tool find devbridge from their own folder through the
# relative path ZK_PRIVATE_LIBDIR, so the layout works under any prefix (and
# in the build tree, where everything sits in bin/ side by side).
include(GNUInstallDirs)

set(ZK_PRIVATE_LIBDIR ${CMAKE_INSTALL_LIBDIR}/zkvr340a)
file(RELATIVE_PATH zk_private_from_bin
    /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${ZK_PRIVATE_LIBDIR})
target_compile_definitions(zkbase PRIVATE ZK_PRIVATE_LIBDIR="${zk_private_from_bin}")

install(TARGETS zkvr340a zkvr340a-ctl zkvr340a-sim
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS devbridge
    LIBRARY DESTINATION ${ZK_PRIVATE_LIBDIR}
    RUNTIME DESTINATION ${ZK_PRIVATE_LIBDIR})
install(FILES packaging/${ZK_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/${ZK_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES packaging/${ZK_APP_ID}.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size IN LISTS ZK_ICON_SIZES)
    install(FILES packaging/icons/${size}x${size}/${ZK_APP_ID}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${ZK_CTL_MANPAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES README.md docs/usb-linux.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES cli/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME zkvr340a-ctl.md)
install(FILES sim/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME zkvr340a-sim.md)

# cpack -G DEB in the build folder makes the package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zkvr340a)
set(CPACK_PACKAGE_VENDOR "ZK-VR340a Control")
set(CPACK_PACKAGE_CONTACT "ZK-VR340a Control maintainers <maintainers@users.noreply.c-seed-4056378f.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "control program for ZK-VR340a conference microphone mixers")
set(CPACK_PACKAGE_DESCRIPTION "Watches, edits and operates up to sixteen linked ZK-VR340a \
mixers over RS-232C, USB or Ethernet, writes settings with read-back verification and keeps \
whole systems in settings files. Includes zkvr340a-ctl (command line) and zkvr340a-sim \
(virtual mixers).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Japanese text needs a CJK font; serial ports need the dialout group (see the docs).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic | fonts-noto-cjk, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
include(CPack)
