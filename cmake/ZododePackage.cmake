# The Debian package: `cpack -G DEB` in a build directory, or the `package`
# target (`make package` at the top builds it from the dist preset). It holds
# the library, the headers, the CMake and pkg-config files, the zodode tool
# and its manual page, installed under /usr.
set(CPACK_PACKAGE_NAME zodode32)
set(CPACK_PACKAGE_VENDOR zodode32)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}, and the zodode text tool")
set(CPACK_PACKAGE_CONTACT "zodode32 developers <zodode32@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
# What the library and the tool link: the C and C++ runtimes of Debian 12's g++.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6 (>= 2.34), libstdc++6 (>= 12), libgcc-s1")
set(CPACK_STRIP_FILES ON)
include(CPack)
