# Catalogs.cmake: the catalogs of the languages po/LINGUAS names (one a
# line or several, # starting a comment), each compiled by msgfmt, which
# checks it as it goes, into locale/LL/LC_MESSAGES/zelm.mo in the build
# folder: where the checker, started from there, finds it (its catalogs
# lie in locale/ beside it), and whence each platform installs it where
# its programs find it (ZELM_CATALOGS).  ZELM_LANGUAGES lists them.
file(STRINGS ${PROJECT_SOURCE_DIR}/po/LINGUAS lines)
set(ZELM_LANGUAGES "")
foreach(line IN LISTS lines)
    string(REGEX REPLACE "#.*" "" line "${line}")
    separate_arguments(names UNIX_COMMAND "${line}")
    list(APPEND ZELM_LANGUAGES ${names})
endforeach()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${PROJECT_SOURCE_DIR}/po/LINGUAS)

find_program(ZELM_MSGFMT msgfmt REQUIRED)
set(ZELM_CATALOGS ${CMAKE_BINARY_DIR}/locale)
set(catalogs "")
foreach(language IN LISTS ZELM_LANGUAGES)
    set(folder ${ZELM_CATALOGS}/${language}/LC_MESSAGES)
    add_custom_command(OUTPUT ${folder}/zelm.mo
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
        COMMAND ${ZELM_MSGFMT} --check -o ${folder}/zelm.mo
                ${PROJECT_SOURCE_DIR}/po/${language}.po
        DEPENDS ${PROJECT_SOURCE_DIR}/po/${language}.po)
    list(APPEND catalogs ${folder}/zelm.mo)
endforeach()
add_custom_target(zelm_catalogs ALL DEPENDS ${catalogs})
