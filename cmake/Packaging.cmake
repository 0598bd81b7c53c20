# A Debian package of the installed tree: `cpack --preset release` after building the
# release preset, or scripts/package.sh. The package's dependencies are read from the
# binaries by dpkg-shlibdeps (dpkg-dev), not written by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME chatsieve)
set(CPACK_PACKAGE_VENDOR "chatsieve developers")
set(CPACK_PACKAGE_CONTACT "chatsieve maintainers <maintainers@example.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "screens Korean chat text for forbidden words")
set(CPACK_PACKAGE_DESCRIPTION [[
chatsieve finds and masks listed words in chat messages, code page 949 or
UTF-16 text, matched as written and across punctuation and symbols.
The package holds the shared library libchatsieve with its C headers, CMake
package and pkg-config file; the chatsieve tool, which screens text and
compiles and inspects word-list files; and a small sample word list, which
the library loads by default. `chatsieve serve` answers check, find and
mask requests over HTTP with JSON; the systemd unit chatsieve.service runs
it (not enabled) with the settings in /etc/chatsieve/serve.conf.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# A shlibs entry for libchatsieve, and the ldconfig trigger that goes with it.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
if(CHATSIEVE_SERVE)
  # The service's systemd unit, not enabled. It reads /etc/chatsieve/serve.conf when there
  # is one: the example beside the sample lists, copied there and edited.
  install(FILES cmake/chatsieve.service DESTINATION lib/systemd/system)
  install(FILES cmake/serve.conf DESTINATION ${CMAKE_INSTALL_DATADIR}/chatsieve)
endif()
include(CPack)
