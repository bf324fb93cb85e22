# Install rules of the libraries: archives, headers, a CMake package under
# lib/cmake/zembrola (targets zembrola::geometry and zembrola::viewer), a
# pkg-config file for the geometry library, and the README. The programs install
# themselves (demos/CMakeLists.txt); tests, benchmarks and fuzz targets do not.
include(CMakePackageConfigHelpers)

set(ZEMBROLA_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/zembrola)

install(TARGETS geometry viewer EXPORT zembrola-targets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(EXPORT zembrola-targets NAMESPACE zembrola:: DESTINATION ${ZEMBROLA_CMAKE_DIR})

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/zembrola-config.cmake.in
  ${PROJECT_BINARY_DIR}/zembrola-config.cmake INSTALL_DESTINATION ${ZEMBROLA_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/zembrola-config-version.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/zembrola-config.cmake ${PROJECT_BINARY_DIR}/zembrola-config-version.cmake
  DESTINATION ${ZEMBROLA_CMAKE_DIR})

# The .pc file finds the prefix from its own place, so the package can be installed anywhere.
file(RELATIVE_PATH PC_PREFIX_FROM_PCDIR /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
string(REGEX REPLACE "/$" "" PC_PREFIX_FROM_PCDIR "${PC_PREFIX_FROM_PCDIR}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/zembrola-geometry.pc.in ${PROJECT_BINARY_DIR}/zembrola-geometry.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/zembrola-geometry.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
