# The Debian package: `cpack -G DEB` in a build folder makes
# orvex_<version>_<arch>.deb of the installed tree (bin/orvex, share/orvex,
# the desktop entry, icons, MIME type, AppStream file, manual page, copyright
# file and changelog under /usr). Its
# dependencies are read from the executable (dpkg-shlibdeps); it has no
# maintainer scripts: Debian's triggers refresh the menus, icon caches and
# MIME database.
set(CPACK_PACKAGE_NAME orvex)
set(CPACK_PACKAGE_VENDOR "Orvex")
# The version is the project's (the top CMakeLists.txt); the maintainer
# whoever builds the package: -DORVEX_PACKAGE_MAINTAINER="Name <address>".
set(CPACK_PACKAGE_CONTACT "${ORVEX_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ORVEX_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "celestial navigation at sea")
set(CPACK_PACKAGE_DESCRIPTION
  "Orvex finds a ship's position from one set of sextant sights: its own\n"
  "ephemeris of 58 stars, the Sun, the Moon and four planets, sight reduction\n"
  "and a robust least-squares fix with course, speed and a probability ellipse,\n"
  "a numeric report and a chart of the lines of position, a star-fix wizard,\n"
  "an azimuth tool and the rhumb-line and great-circle sailings.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_GENERATOR DEB)
include(CPack)
