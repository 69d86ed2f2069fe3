# Runs lupdate over the sources into a copy of the kept .ts file and fails when
# the copy holds a text without a finished translation.
file(MAKE_DIRECTORY ${WORK_DIR})
set(copy ${WORK_DIR}/check_en.ts)
file(COPY_FILE ${TS_FILE} ${copy})
execute_process(COMMAND ${LUPDATE} -silent -no-obsolete -locations none ${DIRS} -ts ${copy}
    WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "lupdate failed on the sources")
endif()
file(READ ${copy} content)
string(REGEX MATCHALL "<source>[^<]*</source>[ \n]*<translation type=\"unfinished\"" unfinished "${content}")
if(unfinished)
    set(untranslated "")
    foreach(entry IN LISTS unfinished)
        string(REGEX REPLACE "<source>([^<]*)</source>.*" "\\1" text "${entry}")
        string(APPEND untranslated "\n  ${text}")
    endforeach()
    message(FATAL_ERROR "Texts without an English translation (run ./run translations and translate them in "
        "translations/comchannel_en.ts):${untranslated}")
endif()
file(TOUCH ${WORK_DIR}/translations-complete)
