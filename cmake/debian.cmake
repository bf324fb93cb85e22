# `cpack -G DEB` in the build folder: zembrola_<version>_<arch>.deb with everything
# the install rules lay out, installed under /usr. Its dependencies are computed
# from the programs by dpkg-shlibdeps (package dpkg-dev, with `file`).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_CONTACT "zembrola developers <zembrola@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "interactive geometry demonstrations with GLUT and OpenGL")
# The summary is the first line; this is the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Six small programs, each in one window: a square split or cut by a draggable
line, three inside tests of the point under the cursor, the overlap of two
convex polygons, the closest point of a square, and barycentric coordinates in
a triangle. Drag corners and handles with the mouse; the labels follow.
.
Also the programs' static libraries (geometry: vectors, planes, polygons and
their operations; viewer: the window and mouse shell), their headers, a CMake
package (find_package(zembrola)) and a pkg-config file.")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
