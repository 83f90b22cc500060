# SPDX-License-Identifier: GPL-3.0-or-later
# Install layout. The program finds its data beside its own resolved executable, so the
# program and its data share one directory under lib/, and bin/ holds links to it. Every
# path is relative to the prefix, so DESTDIR and `cmake --install --prefix` move the whole
# tree together.
include(GNUInstallDirs)

set(KASSAVERO_INSTALL_PROGRAMDIR "lib/kassavero" CACHE STRING
    "Directory of the program and its data, relative to the prefix")
set(KASSAVERO_INSTALL_DBUS_INTERFACEDIR "${CMAKE_INSTALL_DATADIR}/dbus-1/interfaces")
set(KASSAVERO_INSTALL_DBUS_SERVICEDIR "${CMAKE_INSTALL_DATADIR}/dbus-1/services")
set(_kassavero_build_data "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")

install(TARGETS kassavero kassavero-dde RUNTIME DESTINATION ${KASSAVERO_INSTALL_PROGRAMDIR})
install(FILES ${_kassavero_build_data}/i18n.dat DESTINATION ${KASSAVERO_INSTALL_PROGRAMDIR})
# Whatever help pages and pictures the build put beside the program.
install(DIRECTORY ${_kassavero_build_data}/help/ DESTINATION ${KASSAVERO_INSTALL_PROGRAMDIR}/help
    OPTIONAL)
install(DIRECTORY ${_kassavero_build_data}/icons/
    DESTINATION ${KASSAVERO_INSTALL_PROGRAMDIR}/icons OPTIONAL)
install(DIRECTORY ${_kassavero_build_data}/translations/
    DESTINATION ${KASSAVERO_INSTALL_PROGRAMDIR}/translations)
install(FILES ${_kassavero_build_data}/about.svg DESTINATION ${KASSAVERO_INSTALL_PROGRAMDIR}
    OPTIONAL)
# The office extension, when it is built.
install(FILES ${PROJECT_BINARY_DIR}/office/kassavero.oxt DESTINATION ${KASSAVERO_INSTALL_PROGRAMDIR}
    OPTIONAL)

# Relative links, so that they stay right wherever the prefix goes.
file(RELATIVE_PATH _kassavero_link_target
    "${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}"
    "${CMAKE_INSTALL_PREFIX}/${KASSAVERO_INSTALL_PROGRAMDIR}")
set(_kassavero_links "${PROJECT_BINARY_DIR}/install/bin")
file(MAKE_DIRECTORY ${_kassavero_links})
foreach(_program kassavero kassavero-dde)
    file(CREATE_LINK "${_kassavero_link_target}/${_program}" "${_kassavero_links}/${_program}"
        SYMBOLIC)
    install(FILES "${_kassavero_links}/${_program}" DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()

# Desktop integration: menu entry and icon come with the program's data when present.
if(EXISTS ${PROJECT_SOURCE_DIR}/data/kassavero.desktop)
    install(FILES ${PROJECT_SOURCE_DIR}/data/kassavero.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
endif()
if(EXISTS ${PROJECT_SOURCE_DIR}/data/icons/kassavero.svg)
    install(FILES ${PROJECT_SOURCE_DIR}/data/icons/kassavero.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

# The bus interface, and the service file that starts the program on the first call. A
# service file needs the absolute path of the program, so it is written when installing,
# from the prefix installed to (DESTDIR is only where the files are staged).
install(FILES ${PROJECT_SOURCE_DIR}/data/dbus/org.kassavero.dde.Server.xml
    DESTINATION ${KASSAVERO_INSTALL_DBUS_INTERFACEDIR})
# Written to a folder of its own for each destination, so that installs into different
# places at the same time do not share one file.
install(CODE "
    set(KASSAVERO_SERVICE_EXEC \"\${CMAKE_INSTALL_PREFIX}/${KASSAVERO_INSTALL_PROGRAMDIR}/kassavero\")
    if(KASSAVERO_SERVICE_EXEC MATCHES \" \")
        set(KASSAVERO_SERVICE_EXEC \"\\\"\${KASSAVERO_SERVICE_EXEC}\\\"\")
    endif()
    file(READ \"${PROJECT_SOURCE_DIR}/data/dbus/org.kassavero.dde.kassavero.service.in\" _text)
    string(CONFIGURE \"\${_text}\" _text @ONLY)
    string(MD5 _where \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
    set(_service \"${PROJECT_BINARY_DIR}/install/\${_where}/org.kassavero.dde.kassavero.service\")
    file(WRITE \"\${_service}\" \"\${_text}\")
    file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${KASSAVERO_INSTALL_DBUS_SERVICEDIR}\"
        TYPE FILE FILES \"\${_service}\")
")

# Manual pages, when they could be built.
if(TARGET kassavero_man)
    install(FILES ${KASSAVERO_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

# The licence and the history as Debian keeps them for every package. The history is
# compressed without a time stamp, so that two builds give the same package.
set(_kassavero_changelog ${PROJECT_BINARY_DIR}/debian/changelog.gz)
add_custom_command(OUTPUT ${_kassavero_changelog}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/debian
    COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/data/debian/changelog > ${_kassavero_changelog}
    DEPENDS ${PROJECT_SOURCE_DIR}/data/debian/changelog VERBATIM)
add_custom_target(kassavero_changelog ALL DEPENDS ${_kassavero_changelog})
install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright ${_kassavero_changelog}
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/kassavero)
