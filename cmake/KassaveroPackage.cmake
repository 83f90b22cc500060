# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: `cpack -G DEB` in a build directory (scripts/package.sh makes a
# release build for it).
set(CPACK_PACKAGE_NAME "kassavero")
set(CPACK_PACKAGE_VENDOR "Kassavero developers")
set(CPACK_PACKAGE_CONTACT "Kassavero developers <developers@kassavero.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "converts amounts between the euro and the legacy euro-area currencies")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# The install rules run with the package's prefix and a staging DESTDIR, so that the bus
# service file names the program where the package puts it.
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_INSTALL_PREFIX "/usr")
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_NAME "kassavero")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Kassavero developers <developers@kassavero.org>")
# The first line of the package's description is the summary above.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Kassavero converts amounts between the euro, the eleven legacy currencies of
the first euro countries and three currencies of your own, at the fixed
conversion rates. It lives in the tray of the desktop: a calculator window,
conversion of the amounts in the clipboard, and a command interface on the
D-Bus session bus through which word-processor and spreadsheet macros convert
whole documents. The kassavero-dde command converts text files.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beyond the linked libraries: a session bus to serve on, the Qt platform and SVG icon
# plugins, which are loaded at run time and so never show up as linked, and Qt D-Bus,
# which Qt's GUI and its xcb plugin load (desktop theme, accessibility) though our own
# code talks to the bus through sd-bus.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "dbus, default-dbus-session-bus | dbus-session-bus, qt6-qpa-plugins, libqt6svg6, libqt6dbus6")
# The office extension runs in LibreOffice's Python and talks to the bus through python3-dbus.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS
    "libreoffice-writer | libreoffice-calc, libreoffice-script-provider-python, python3-dbus")

set(CPACK_GENERATOR "DEB")
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
