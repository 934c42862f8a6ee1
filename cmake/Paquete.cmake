# `cpack -G DEB`: a Debian package of what `cmake --install` puts in place.
# Its libraries' packages come from dpkg-shlibdeps; what the program needs
# beside them is named here.
set(CPACK_PACKAGE_NAME "renglero")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "Renglero <renglero@example.org>"
  CACHE STRING "The package's maintainer")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "cuaderno de cuadrícula para hacer las cuentas y los textos con el teclado")
set(CPACK_PACKAGE_DESCRIPTION
  "Renglero es un cuaderno para los alumnos que hacen los deberes con el teclado: \
una ventana pequeña, siempre encima, junto al procesador de textos, con una \
cuadrícula de casillas como la del papel. Dispone las cuentas como en el papel, \
da formato al texto y pasa lo escrito a LibreOffice Writer o a su propio documento.")
set(CPACK_DEBIAN_PACKAGE_SECTION "education")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The grid's fonts (Courier New and Arial stand-ins) and Qt's Spanish texts.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-translations-l10n")
# The real word processor with its windows, in Spanish with a Spanish
# dictionary, and the monospaced font of the signs that F9 sends it; without
# it the notebook writes into its own document.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
  "libreoffice-writer, libreoffice-gtk3 | libreoffice-kf5 | libreoffice-qt5, libreoffice-l10n-es, hunspell-es, fonts-freefont-ttf, xdg-user-dirs")
include(CPack)
