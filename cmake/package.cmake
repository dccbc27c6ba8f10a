# One Debian package holding both programs and their manual pages.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME fitbytes)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
	"fit a text into a fixed number of bytes (midclip, padfront)")
set(CPACK_PACKAGE_CONTACT "fitbytes maintainers <maintainers@users.noreply.c-seed-60357dd0.example>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
