# Debian packages of the installation components, built by ./run package into
# build/packages/: comchannel (the plug-in), comchannel-dev, comchannel-tools,
# and for each package with binaries its -dbgsym package of debug symbols.
#
# The packages install into /opt/comchannel: the library's layout is an
# application's (the plug-in directory under the application directory, the
# settings and data beside it), which is what /opt holds. CMake finds the
# package there by itself; pkg-config needs /opt/comchannel/lib/pkgconfig.
set(COMCHANNEL_PACKAGE_PREFIX /opt/comchannel)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME comchannel)
set(CPACK_PACKAGE_VENDOR "ComChannel maintainers")
set(CPACK_PACKAGE_CONTACT "ComChannel maintainers <maintainers@users.noreply.c-seed-82ac861c.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX ${COMCHANNEL_PACKAGE_PREFIX})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL runtime dev tools)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION comm)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/bin/channelSettingsPlugins)
# The generator strips the binaries it packs and keeps their symbols in the -dbgsym packages.
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME comchannel)
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION "switched (dial-up) channel settings plug-in
The plug-in that a messaging application loads from its
channelSettingsPlugins/ directory to configure its switched channel: COM
ports with their modems and serial parameters, and the phone number and
ports of each abonent. It carries the common library of the maker.")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME comchannel-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_ARCHITECTURE all)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "qtbase5-dev")
set(CPACK_COMPONENT_DEV_DEPENDS runtime)
set(CPACK_DEBIAN_DEV_DESCRIPTION "switched channel settings plug-in - development files
Public headers of the plug-in interface, the page bases, the used-devices
registry, the settings records and the common library, with a CMake package
(find_package(ComChannel)) and a pkg-config file for host applications.")

set(CPACK_DEBIAN_TOOLS_PACKAGE_NAME comchannel-tools)
set(CPACK_COMPONENT_TOOLS_DEPENDS runtime)
set(CPACK_DEBIAN_TOOLS_DESCRIPTION "switched channel settings plug-in - tools
comconf shows and builds the channel's records and checks an installation;
comchannel-host is the reference host application that loads the plug-in.")

# Copyright, changelog and lintian overrides for every package, debug packages included.
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/debian/finish-packages.cmake)

include(CPack)
