# What `chatsieve serve` and its tests link: cpp-httplib, which Debian ships compiled
# with its build's definitions in its pkg-config file (the header's classes depend on
# them), and the header-only nlohmann-json. Only the tool links them, never the library.
find_package(PkgConfig QUIET)
if(PkgConfig_FOUND)
  pkg_check_modules(CPP_HTTPLIB QUIET IMPORTED_TARGET GLOBAL cpp-httplib>=0.11)
endif()
find_package(nlohmann_json 3.11 QUIET GLOBAL)
if(NOT CPP_HTTPLIB_FOUND OR NOT nlohmann_json_FOUND)
  message(FATAL_ERROR
    "chatsieve serve needs cpp-httplib 0.11 (found through pkg-config) and nlohmann-json "
    "3.11. On Debian 12: apt-get install pkgconf libcpp-httplib-dev nlohmann-json3-dev "
    "(scripts/test.sh and scripts/demo.sh install them). Or configure with "
    "-DCHATSIEVE_SERVE=OFF to build the tool without the service.")
endif()
