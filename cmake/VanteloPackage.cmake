# `make package` (the package target): a Debian package of the install, made by
# CPack in the build folder as vantelo_<version>_<architecture>.deb.

set(vantelo_maintainer "Vantelo maintainers <maintainers@vantelo.example>")

# The Debian files of the package: the copyright and the change log, compressed
# as Debian wants it (gzip -9n: no name, no time stamp).
install(FILES packaging/copyright DESTINATION share/doc/vantelo)
set(vantelo_changelog ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(
  OUTPUT ${vantelo_changelog}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
  COMMAND sh -c "gzip -9n -c \"$0\" > \"$1\"" ${PROJECT_SOURCE_DIR}/packaging/changelog ${vantelo_changelog}
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog
  VERBATIM)
add_custom_target(vantelo_changelog ALL DEPENDS ${vantelo_changelog})
install(FILES ${vantelo_changelog} DESTINATION share/doc/vantelo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantelo)
set(CPACK_PACKAGE_VENDOR "Morvane software")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${vantelo_maintainer}")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
# The install makes dirdata.xml with links to the installed demo site: CPack
# installs into its staging folder through DESTDIR, so they name /usr/share/vantelo.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "submit a web site to web directories")
# Debian shows the long description as it stands: lines short, paragraphs apart.
set(CPACK_PACKAGE_DESCRIPTION "Vantelo keeps a database of web directories, each with its submission
page and a description of the page's form, and site profiles with the
site's address, alternative titles, descriptions, keywords and contact
data. It opens a directory's submission page in an embedded browser, fills
the form from the active profile, notices the confirmation page and
records where the site was sent and where it was approved.

The package holds the main program vantelo, the list checker tessaly,
which re-checks a directory database for dead pages and PageRank changes,
and vantelo-cli, the command-line tools.")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${vantelo_maintainer}")
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/vantelo/vantelo)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The reciprocal link script runs on the user's web server; php-cli only lets its
# tests run here.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS php-cli)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
