# What `cmake --install` puts where Debian has it: the program, its menu
# entry, its icon, its AppStream description and the README.
include(GNUInstallDirs)

# The desktop's name for the program: the menu entry, the icon and the
# AppStream component share it.
set(RENGLERO_ID "io.github.renglero.Renglero")

# The window names its menu entry, so that the desktop shows its icon.
target_compile_definitions(renglero_qt PRIVATE RENGLERO_ID="${RENGLERO_ID}")

configure_file(data/renglero.desktop.in "${CMAKE_BINARY_DIR}/${RENGLERO_ID}.desktop" @ONLY)
configure_file(data/renglero.metainfo.xml.in
  "${CMAKE_BINARY_DIR}/${RENGLERO_ID}.metainfo.xml" @ONLY)

# The program is built as it is installed: its only search path is the one
# its link gives it (LibreOffice's program folder, for UNO), so that
# installing has nothing to rewrite.
set_target_properties(renglero PROPERTIES BUILD_WITH_INSTALL_RPATH ON)
install(TARGETS renglero RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(FILES "${CMAKE_BINARY_DIR}/${RENGLERO_ID}.desktop"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES data/renglero.svg
  DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps"
  RENAME "${RENGLERO_ID}.svg")
install(FILES "${CMAKE_BINARY_DIR}/${RENGLERO_ID}.metainfo.xml"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(FILES README.md DESTINATION "${CMAKE_INSTALL_DOCDIR}")
# Orca's script for the notebook, where Orca looks for an application's
# script (its apps folder in Debian's Python): Orca uses it while the
# notebook has the focus.
install(FILES data/orca/Renglero.py DESTINATION lib/python3/dist-packages/orca/scripts/apps)
