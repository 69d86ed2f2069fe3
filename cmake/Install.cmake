# Installation for host developers: the plug-in where a host looks for it, the
# public headers, a CMake package and a pkg-config file.
include(CMakePackageConfigHelpers)

set(COMCHANNEL_PLUGIN_DIR bin/channelSettingsPlugins)
set(COMCHANNEL_INCLUDE_DIR include/comchannel)
set(COMCHANNEL_CMAKE_DIR lib/cmake/ComChannel)

target_include_directories(comchannel INTERFACE $<INSTALL_INTERFACE:${COMCHANNEL_INCLUDE_DIR}>)
target_link_libraries(comchannel INTERFACE Qt5::Core Qt5::Gui Qt5::Widgets)

install(TARGETS comchannel EXPORT ComChannelTargets LIBRARY DESTINATION ${COMCHANNEL_PLUGIN_DIR})
install(EXPORT ComChannelTargets NAMESPACE ComChannel:: DESTINATION ${COMCHANNEL_CMAKE_DIR})

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
    DESTINATION ${COMCHANNEL_INCLUDE_DIR}/common)
install(FILES
    interfaces/cchannelsettingsplugin.h
    interfaces/cchannelsettingswidget.h
    interfaces/cchannelabonentsettingswidget.h
    interfaces/cchanneluseddevices.h
    DESTINATION ${COMCHANNEL_INCLUDE_DIR}/interfaces)
install(FILES comchannel/comsettings.h DESTINATION ${COMCHANNEL_INCLUDE_DIR}/comchannel)

configure_package_config_file(cmake/ComChannelConfig.cmake.in
    ${CMAKE_BINARY_DIR}/ComChannelConfig.cmake INSTALL_DESTINATION ${COMCHANNEL_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/ComChannelConfigVersion.cmake COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/ComChannelConfig.cmake ${CMAKE_BINARY_DIR}/ComChannelConfigVersion.cmake
    DESTINATION ${COMCHANNEL_CMAKE_DIR})

# The prefix is only known at install time, so the .pc file is written then.
install(CODE "
    set(COMCHANNEL_PLUGIN_DIR ${COMCHANNEL_PLUGIN_DIR})
    set(COMCHANNEL_INCLUDE_DIR ${COMCHANNEL_INCLUDE_DIR})
    set(PROJECT_VERSION ${PROJECT_VERSION})
    configure_file(${CMAKE_SOURCE_DIR}/cmake/comchannel.pc.in \"\${CMAKE_INSTALL_PREFIX}/lib/pkgconfig/comchannel.pc\" @ONLY)
")
