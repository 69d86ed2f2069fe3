# Installation for host developers and operators, in three components that
# become the Debian packages (cmake/Packaging.cmake): "runtime" the plug-in in
# the channelSettingsPlugins/ directory of an application directory, "tools"
# comconf and the reference host beside it, "dev" the public headers, a CMake
# package and a pkg-config file. Paths are relative to the prefix, so that an
# installation can be moved as a whole.
include(CMakePackageConfigHelpers)

set(COMCHANNEL_APPLICATION_DIR bin)
set(COMCHANNEL_PLUGIN_DIR ${COMCHANNEL_APPLICATION_DIR}/channelSettingsPlugins)
set(COMCHANNEL_INCLUDE_DIR include/comchannel)
set(COMCHANNEL_CMAKE_DIR lib/cmake/ComChannel)
set(COMCHANNEL_PKGCONFIG_DIR lib/pkgconfig)
# What an executable installed in the application directory needs to find the
# library when it links it: the plug-in directory, relative to the executable.
set(COMCHANNEL_HOST_RPATH "$ORIGIN/channelSettingsPlugins")

target_include_directories(comchannel INTERFACE $<INSTALL_INTERFACE:${COMCHANNEL_INCLUDE_DIR}>)
target_link_libraries(comchannel INTERFACE Qt5::Core Qt5::Gui Qt5::Widgets)

install(TARGETS comchannel EXPORT ComChannelTargets
    LIBRARY DESTINATION ${COMCHANNEL_PLUGIN_DIR} COMPONENT runtime)
# comconf installs itself (tools/), in the default component "tools".
install(TARGETS comchannel-host RUNTIME DESTINATION ${COMCHANNEL_APPLICATION_DIR} COMPONENT tools)
install(EXPORT ComChannelTargets NAMESPACE ComChannel:: DESTINATION ${COMCHANNEL_CMAKE_DIR} COMPONENT dev)

install(FILES
    common/comchannel_export.h
    common/logger.h
    common/csettings.h
    common/global.h
    common/globalpaths.h
    common/globalformat.h
    common/globalsaving.h
    common/globalnaming.h
    common/csysteminfo.h
    common/messagebox.h
    DESTINATION ${COMCHANNEL_INCLUDE_DIR}/common COMPONENT dev)
install(FILES
    interfaces/cchannelsettingsplugin.h
    interfaces/cchannelsettingswidget.h
    interfaces/cchannelabonentsettingswidget.h
    interfaces/cchanneluseddevices.h
    DESTINATION ${COMCHANNEL_INCLUDE_DIR}/interfaces COMPONENT dev)
install(FILES comchannel/comsettings.h DESTINATION ${COMCHANNEL_INCLUDE_DIR}/comchannel COMPONENT dev)

configure_package_config_file(cmake/ComChannelConfig.cmake.in
    ${CMAKE_BINARY_DIR}/ComChannelConfig.cmake INSTALL_DESTINATION ${COMCHANNEL_CMAKE_DIR}
    PATH_VARS COMCHANNEL_APPLICATION_DIR COMCHANNEL_PLUGIN_DIR)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/ComChannelConfigVersion.cmake COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/ComChannelConfig.cmake ${CMAKE_BINARY_DIR}/ComChannelConfigVersion.cmake
    DESTINATION ${COMCHANNEL_CMAKE_DIR} COMPONENT dev)

# The .pc file finds its prefix from its own place, like the CMake package.
file(RELATIVE_PATH COMCHANNEL_PKGCONFIG_TO_PREFIX /prefix/${COMCHANNEL_PKGCONFIG_DIR} /prefix)
string(REGEX REPLACE "/$" "" COMCHANNEL_PKGCONFIG_TO_PREFIX ${COMCHANNEL_PKGCONFIG_TO_PREFIX})
configure_file(cmake/comchannel.pc.in ${CMAKE_BINARY_DIR}/comchannel.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/comchannel.pc DESTINATION ${COMCHANNEL_PKGCONFIG_DIR} COMPONENT dev)

# The kept translation, so that a host can start its own language from it; the
# English one is compiled into the library (":/comchannel/translations/comchannel_en.qm").
install(FILES translations/comchannel_en.ts DESTINATION share/comchannel/translations COMPONENT dev)
