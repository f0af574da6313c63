# The Debian package: `cpack -G DEB` in a build folder configured for the
# prefix /usr, as ./build.sh package does it, makes
# sleevix_<version>_<architecture>.deb of what the install rules install,
# with the copyright and changelog files Debian asks for. Its dependencies
# are the packages of the libraries the binaries link (dpkg-shlibdeps) and
# the image format plugins.

set(sleevix_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/sleevix)
sleevix_compressed(${CMAKE_SOURCE_DIR}/packaging/changelog ${CMAKE_BINARY_DIR}/doc/changelog.gz)
install(FILES packaging/copyright ${CMAKE_BINARY_DIR}/doc/changelog.gz DESTINATION ${sleevix_doc_dir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sleevix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Tarnholm <sleevix@tarnholm.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt reads WebP and TIFF pictures through plugins, which nothing links.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-image-formats-plugins)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# The folders the install makes on its way, as Debian has them.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "print inserts for CD, DVD and VHS cases")
set(CPACK_PACKAGE_DESCRIPTION [=[
Sleevix prints inserts for disc and tape cases from ready-made pictures:
the front page and the back inlay of a CD jewel case, a folded double
front, two round CD labels, and DVD and VHS covers.

Pictures go into two preview panels by the open dialog, from the file
manager, by drag and drop or from the clipboard. Every item lands on the
paper at the position and size set in whole millimetres, with frames and
fold guides; sets of settings can be saved as label templates. The user
interface is German.]=])
include(CPack)
