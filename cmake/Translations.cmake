# The English translation of every user-facing text. translations/comchannel_en.ts
# is kept with the sources (`./run translations` brings it up to date with
# lupdate); the build compiles it with lrelease and carries the result inside the
# common library as ":/comchannel/translations/comchannel_en.qm". Russian stays
# the default: nothing is translated unless a host installs that translator.
find_program(COMCHANNEL_LRELEASE lrelease PATHS /usr/lib/qt5/bin REQUIRED)
find_program(COMCHANNEL_LUPDATE lupdate PATHS /usr/lib/qt5/bin REQUIRED)

set(COMCHANNEL_TS_FILE ${CMAKE_SOURCE_DIR}/translations/comchannel_en.ts)
set(COMCHANNEL_TRANSLATED_DIRS common comchannel interfaces host tools)
set(translations_dir ${CMAKE_BINARY_DIR}/translations)

# A text that lupdate finds in the sources and the .ts does not translate fails the build.
file(GLOB_RECURSE translated_sources CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/common/*.cpp ${CMAKE_SOURCE_DIR}/common/*.h
    ${CMAKE_SOURCE_DIR}/comchannel/*.cpp ${CMAKE_SOURCE_DIR}/comchannel/*.h ${CMAKE_SOURCE_DIR}/comchannel/*.ui
    ${CMAKE_SOURCE_DIR}/interfaces/*.h
    ${CMAKE_SOURCE_DIR}/host/*.cpp ${CMAKE_SOURCE_DIR}/host/*.h ${CMAKE_SOURCE_DIR}/host/*.ui
    ${CMAKE_SOURCE_DIR}/tools/*.cpp ${CMAKE_SOURCE_DIR}/tools/*.h)
add_custom_command(OUTPUT ${translations_dir}/translations-complete
    COMMAND ${CMAKE_COMMAND} -DLUPDATE=${COMCHANNEL_LUPDATE} -DTS_FILE=${COMCHANNEL_TS_FILE}
            -DSOURCE_DIR=${CMAKE_SOURCE_DIR} "-DDIRS=${COMCHANNEL_TRANSLATED_DIRS}"
            -DWORK_DIR=${translations_dir} -P ${CMAKE_SOURCE_DIR}/cmake/CheckTranslations.cmake
    DEPENDS ${COMCHANNEL_TS_FILE} ${translated_sources} ${CMAKE_SOURCE_DIR}/cmake/CheckTranslations.cmake
    COMMENT "Checking that every user-facing text is translated" VERBATIM)

add_custom_command(OUTPUT ${translations_dir}/comchannel_en.qm
    COMMAND ${COMCHANNEL_LRELEASE} -silent ${COMCHANNEL_TS_FILE} -qm ${translations_dir}/comchannel_en.qm
    DEPENDS ${COMCHANNEL_TS_FILE} ${translations_dir}/translations-complete VERBATIM)
add_custom_target(translations DEPENDS ${translations_dir}/comchannel_en.qm)

configure_file(${CMAKE_SOURCE_DIR}/translations/translations.qrc.in ${translations_dir}/translations.qrc COPYONLY)
set_source_files_properties(${translations_dir}/comchannel_en.qm PROPERTIES GENERATED TRUE)
target_sources(common_objects PRIVATE ${translations_dir}/translations.qrc)
add_dependencies(common_objects translations)
