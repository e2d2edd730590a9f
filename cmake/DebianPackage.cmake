# The Debian package made by `cpack -G DEB` (`make package`): everything `cmake --install` puts
# under /usr, with its library dependencies computed by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tamvel)
set(CPACK_PACKAGE_VENDOR Varnel)
set(CPACK_PACKAGE_CONTACT "${TAMVEL_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Tamvel dessine et imprime des calendriers annuels, en français :
l'année entière sur une page, un semestre par page, avec ou sans photo,
ou un mois par page en grandes cases. Il indique les jours fériés
français, les week-ends, les numéros de semaine et vos propres jours
non travaillés, et exporte les pages en PDF ou en PNG, aussi depuis la
ligne de commande.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_THREADS 1)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TAMVEL_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${TAMVEL_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded or run at run time, so dpkg-shlibdeps cannot see them: the calendar's serif and
# monospace faces, the French texts of Qt's own dialogs, the time zones that date the moon's
# phases, xdg-open, through which the help page opens in the desktop's browser, and Ghostscript,
# run for print-ready PDFs. The X11 platform plugin comes with libqt6gui6; Wayland sessions get a
# native window with qt6-wayland, else they go through XWayland.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, qt6-translations-l10n, tzdata, xdg-utils, ghostscript")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)

include(CPack)
