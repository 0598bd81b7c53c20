# What `cmake --install` puts under the prefix (GNU directory names; lib may be lib64 or
# lib/<triplet>, as GNUInstallDirs chooses):
#   bin/chatsieve                     the tool, finding the library through $ORIGIN
#   lib/libchatsieve.so.X.Y.Z         the library, with its SONAME and development links
#   lib/filter.bcd, lib/filterW.bcd   links to the sample lists, where the library's
#                                     default-path load looks: beside itself (data/)
#   include/chatsieve/                the public headers
#   lib/cmake/chatsieve/              the CMake package: chatsieve::chatsieve
#   lib/pkgconfig/chatsieve.pc        for pkg-config
#   share/chatsieve/                  the sample lists, compiled and as UTF-8 text, and the
#                                     built-in lexicon's files (lexicon/ko/)
#   share/man/man1/chatsieve.1        the tool's manual page
# Every installed path that names another is relative, so the tree can be moved.
include(CMakePackageConfigHelpers)

install(TARGETS chatsieve EXPORT chatsieve-targets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY include/chatsieve DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

file(RELATIVE_PATH tool_to_library ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
set_target_properties(chatsieve_tool PROPERTIES INSTALL_RPATH "$ORIGIN/${tool_to_library}")
install(TARGETS chatsieve_tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
configure_file(doc/chatsieve.1.in chatsieve.1 @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/chatsieve.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(package_directory ${CMAKE_INSTALL_LIBDIR}/cmake/chatsieve)
install(EXPORT chatsieve-targets NAMESPACE chatsieve:: DESTINATION ${package_directory})
configure_package_config_file(cmake/chatsieve-config.cmake.in chatsieve-config.cmake
  INSTALL_DESTINATION ${package_directory})
# 0.x releases keep the SONAME's major version, and so the interface, within one major.
write_basic_package_version_file(chatsieve-config-version.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES
  ${PROJECT_BINARY_DIR}/chatsieve-config.cmake
  ${PROJECT_BINARY_DIR}/chatsieve-config-version.cmake
  DESTINATION ${package_directory})

# pkg-config finds the prefix from the .pc file's own place.
set(pc_directory ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH pc_to_prefix ${pc_directory} ${CMAKE_INSTALL_PREFIX})
string(REGEX REPLACE "/$" "" pc_to_prefix ${pc_to_prefix})
file(RELATIVE_PATH prefix_to_library ${CMAKE_INSTALL_PREFIX} ${CMAKE_INSTALL_FULL_LIBDIR})
file(RELATIVE_PATH prefix_to_headers ${CMAKE_INSTALL_PREFIX} ${CMAKE_INSTALL_FULL_INCLUDEDIR})
configure_file(cmake/chatsieve.pc.in chatsieve.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/chatsieve.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
