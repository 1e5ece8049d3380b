# `cpack -G DEB` in the build folder makes the Debian package of what `install()` puts in place:
# the three programs, the shipped data, the manual, the man pages and the desktop files.
set(CPACK_PACKAGE_NAME albora)
set(CPACK_PACKAGE_VENDOR "Marenkis Setup")
set(CPACK_PACKAGE_CONTACT "Albora maintainers <maintainers@users.noreply.c-seed-3a78f8a8.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "image album manager")
# Debian wants the lines of the long description under 80 characters.
set(CPACK_PACKAGE_DESCRIPTION "Albora keeps pictures, movies and sounds in albums (.crp files) of cards\n\
with names, descriptions and time stamps. It shows them as a list, a picture\n\
and a contact sheet, annotates them with drawings and sound notes, and makes\n\
web sites, movies and full-screen presentations of them. albora-cli does the\n\
same work in batch.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY albora)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# The linked libraries give most dependencies; these are loaded or run at run time: the icon
# theme, Qt's SVG plugins, GStreamer's elements (playbin, decodebin, audioconvert, pulsesrc,
# autoaudiosink), the desktop's mail and open commands, the metafile converters and the fonts that
# stand in for Arial.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "breeze-icon-theme, libqt6svg6, gstreamer1.0-plugins-base, \
gstreamer1.0-plugins-good, gstreamer1.0-pulseaudio, xdg-utils, emf2svg, libwmf-bin, fonts-liberation")
# Debian's policy: a machine-readable copyright file and the changelog, compressed, beside it
# (changelog.gz: the version has no Debian revision, so the package is a native one).
set(albora_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/changelog.gz
  COMMAND gzip -9n -c ${CMAKE_CURRENT_LIST_DIR}/debian/changelog > ${CMAKE_BINARY_DIR}/changelog.gz
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/debian/changelog VERBATIM)
add_custom_target(albora_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/copyright ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${albora_doc_dir})
include(CPack)
