# linux.cmake: what the Linux build chooses.  Debian's SDL 1.2 and
# SDL_image; the panel and the checker as plain programs; the art tool and
# the benchmarks, since this is the machine that builds; and Debian's
# layout for games, which the package and the tarball share.  A release is
# hardened as Debian builds its own packages.

# Debian's flags with every hardening feature on, from dpkg-buildflags:
# the stack protector, format checks, PIE (GCC's default on Debian), full
# RELRO and immediate binding.  _FORTIFY_SOURCE lives in CPPFLAGS, which
# CMake does not read, so the preprocessor's flags go to both compilers.
if(ZELM_TREE STREQUAL release)
    foreach(kind CPPFLAGS CFLAGS CXXFLAGS LDFLAGS)
        execute_process(COMMAND ${CMAKE_COMMAND} -E env
                        DEB_BUILD_MAINT_OPTIONS=hardening=+all
                        dpkg-buildflags --get ${kind}
                        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                        OUTPUT_VARIABLE debian_${kind}
                        OUTPUT_STRIP_TRAILING_WHITESPACE
                        COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
    string(APPEND CMAKE_C_FLAGS " ${debian_CPPFLAGS} ${debian_CFLAGS}")
    string(APPEND CMAKE_CXX_FLAGS " ${debian_CPPFLAGS} ${debian_CXXFLAGS}")
    string(APPEND CMAKE_EXE_LINKER_FLAGS " ${debian_LDFLAGS}")
endif()

# CMake's own FindSDL and FindSDL_image find Debian's packages; SDLmain
# stays out, as the program has its own entry point.
add_library(zelm_sdl INTERFACE)
set(SDL_BUILDING_LIBRARY ON)
find_package(SDL 1.2 REQUIRED)
find_package(SDL_image 1.2 REQUIRED)
target_link_libraries(zelm_sdl INTERFACE SDL::SDL ${SDL_IMAGE_LIBRARIES})
target_include_directories(zelm_sdl SYSTEM INTERFACE ${SDL_IMAGE_INCLUDE_DIRS})

# The front end on desktop SDL, whose structures sdl_abi.cpp pins (files
# of front/).
set(ZELM_FRONT_PLATFORM platform_desktop.cpp sdl_abi.cpp)

add_executable(zelm front/zelm.cpp)
target_link_libraries(zelm PRIVATE zelm_front)
add_executable(zelm-check check/zelm_check.cpp check/console_posix.cpp)
target_link_libraries(zelm-check PRIVATE zelm_check)
target_compile_definitions(zelm-check PRIVATE
                           ZELM_VERSION="${PROJECT_VERSION}")
# The tool that writes the checker's notation, from its table, into the
# manual page (below) and the fuzz target's dictionary (tests/).
add_executable(zelm_notation check/notation_tool.cpp)
target_link_libraries(zelm_notation PRIVATE zelm_check)

# The art tool renders data/ and the icons (make art); the benchmarks
# measure zelm beside a plain C floor (make bench).
add_subdirectory(art)
if(ZELM_BENCH)
    add_subdirectory(bench)
endif()

# ---- Installed: Debian's layout for games, under any prefix
# (cmake --install --prefix): the launcher and the checker in games/, the
# program in lib/games/zelm/, the images in share/games/zelm/data/, with
# the desktop entry, icons, AppStream data, manual pages and copyright;
# relocatable, since the launcher finds the rest from where it stands.
include(GNUInstallDirs)
set(dist ${PROJECT_SOURCE_DIR}/dist)
set(made ${CMAKE_BINARY_DIR}/dist)
set(launcher_dir games)
set(program_dir lib/games/zelm)
set(share_dir ${CMAKE_INSTALL_DATAROOTDIR}/games/zelm)
set(icons_dir ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor)

# The launcher reaches the images and the program by relative paths.
file(RELATIVE_PATH ZELM_SHARE_FROM_LAUNCHER /${launcher_dir} /${share_dir})
file(RELATIVE_PATH ZELM_PROGRAM_FROM_LAUNCHER /${launcher_dir}
     /${program_dir}/zelm)
set(tarball_folder ${ZELM_RELEASE_NAME}-linux-x86_64)
# The changelog's date in Debian's form, from the release date.
execute_process(COMMAND date -u -R -d "${ZELM_RELEASE_DATE} 12:00:00"
                OUTPUT_VARIABLE ZELM_RELEASE_DATE_RFC
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
foreach(file zelm changelog control)
    configure_file(${dist}/${file}.in ${made}/${file} @ONLY)
endforeach()
configure_file(${dist}/org.zelm.zelmora.metainfo.xml.in
               ${made}/english/org.zelm.zelmora.metainfo.xml @ONLY)
add_custom_command(OUTPUT ${made}/changelog.gz
    COMMAND gzip -9 -n -c ${made}/changelog > ${made}/changelog.gz
    DEPENDS ${made}/changelog)

# The menu entry and the software centre's page, in every language of
# po/LINGUAS, msgfmt writing each translation in from the catalogs.
set(catalogs ${PROJECT_SOURCE_DIR}/po)
list(TRANSFORM ZELM_LANGUAGES PREPEND ${catalogs}/ OUTPUT_VARIABLE pos)
list(TRANSFORM pos APPEND .po)
add_custom_command(OUTPUT ${made}/zelm.desktop
    COMMAND ${ZELM_MSGFMT} --desktop --template=${dist}/zelm.desktop
            -d ${catalogs} -o ${made}/zelm.desktop
    DEPENDS ${dist}/zelm.desktop ${catalogs}/LINGUAS ${pos})
add_custom_command(OUTPUT ${made}/org.zelm.zelmora.metainfo.xml
    COMMAND ${ZELM_MSGFMT} --xml
            --template=${made}/english/org.zelm.zelmora.metainfo.xml
            -d ${catalogs} -o ${made}/org.zelm.zelmora.metainfo.xml
    DEPENDS ${made}/english/org.zelm.zelmora.metainfo.xml
            ${catalogs}/LINGUAS ${pos})

# The manual pages, in English and in every language of po/LINGUAS, which
# po4a translates from the catalogs, leaving them as they are
# (linux/Manuals.cmake).  Debian 12's po4a cannot read a message's
# context (msgctxt), which the checker's messages have, so it reads each
# catalog's manual messages alone, as msggrep picks them out.  zelm(6)
# names the images' folder where the package installs it; the tarball's
# own copy (tarball/zelm.6) names it as the tarball lays it out.
find_program(ZELM_PO4A po4a REQUIRED)
find_program(ZELM_MSGGREP msggrep REQUIRED)
set(pages zelm.6.in zelm-check.6.in)
list(TRANSFORM pages PREPEND ${dist}/ OUTPUT_VARIABLE masters)
set(po4a_config ${made}/po4a/po4a.cfg)
list(JOIN ZELM_LANGUAGES " " languages)
file(WRITE ${po4a_config}
     "[po4a_langs] ${languages}\n"
     "[po4a_paths] ${catalogs}/zelm.pot $lang:${made}/po4a/$lang.po\n"
     "[options] opt:\"--master-charset=UTF-8 --localized-charset=UTF-8 "
     "--keep=0\"\n")
set(manual_catalogs "")
set(translated "")
foreach(language IN LISTS ZELM_LANGUAGES)
    add_custom_command(OUTPUT ${made}/po4a/${language}.po
        COMMAND ${ZELM_MSGGREP} -N dist/zelm.6.in -N dist/zelm-check.6.in
                -o ${made}/po4a/${language}.po ${catalogs}/${language}.po
        DEPENDS ${catalogs}/${language}.po)
    list(APPEND manual_catalogs ${made}/po4a/${language}.po)
    foreach(page IN LISTS pages)
        list(APPEND translated ${made}/${language}/${page})
    endforeach()
endforeach()
foreach(page IN LISTS pages)
    file(APPEND ${po4a_config}
         "[type: man] ${dist}/${page} $lang:${made}/$lang/${page}\n")
endforeach()
add_custom_command(OUTPUT ${translated}
    COMMAND ${ZELM_PO4A} --no-update --quiet ${po4a_config}
    DEPENDS ${masters} ${manual_catalogs})
set(manuals "")
set(tarball_manuals "")
foreach(language english ${ZELM_LANGUAGES})
    set(out ${made}/${language})
    if(language STREQUAL english)
        set(sources ${dist})
        set(catalog "")
        set(depends ${masters})
        set(manual_dir ${CMAKE_INSTALL_MANDIR}/man6)
    else()
        set(sources ${out})
        set(mo ${ZELM_CATALOGS}/${language}/LC_MESSAGES/zelm.mo)
        set(catalog -DCATALOG=${mo})
        list(TRANSFORM pages PREPEND ${out}/ OUTPUT_VARIABLE depends)
        list(APPEND depends ${mo} zelm_catalogs)
        set(manual_dir ${CMAKE_INSTALL_MANDIR}/${language}/man6)
    endif()
    add_custom_command(OUTPUT ${out}/zelm.6.gz ${out}/zelm-check.6.gz
                       ${out}/tarball/zelm.6.gz
        COMMAND ${CMAKE_COMMAND} -DSOURCES=${sources} -DOUT=${out}
                -DPROJECT_VERSION=${PROJECT_VERSION}
                -DSHARE_DIR=${CMAKE_INSTALL_PREFIX}/${share_dir}
                -DTARBALL_SHARE_DIR=${tarball_folder}/${share_dir}
                -DNOTATION=$<TARGET_FILE:zelm_notation> ${catalog}
                -P ${CMAKE_CURRENT_LIST_DIR}/linux/Manuals.cmake
        DEPENDS ${depends} zelm_notation
                ${CMAKE_CURRENT_LIST_DIR}/linux/Manuals.cmake)
    list(APPEND manuals ${out}/zelm.6.gz)
    install(FILES ${out}/zelm.6.gz ${out}/zelm-check.6.gz
            DESTINATION ${manual_dir})
    # The tarball's zelm(6), by the release target below.
    list(APPEND tarball_manuals COMMAND ${CMAKE_COMMAND} -E copy
         ${out}/tarball/zelm.6.gz ${ZELM_STAGE}/${tarball_folder}/${manual_dir})
endforeach()
add_custom_target(zelm_manual DEPENDS ${manuals})

# The icon at 32 pixels and at whole multiples of it, from its pixel map.
foreach(scale 1 2 4 8)
    math(EXPR size "32 * ${scale}")
    set(png ${made}/icons/${size}x${size}/zelm.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${made}/icons/${size}x${size}
        COMMAND zelm_art --icon-png ${PROJECT_SOURCE_DIR}/art/icon.txt
                ${scale} ${png}
        DEPENDS zelm_art ${PROJECT_SOURCE_DIR}/art/icon.txt)
    list(APPEND icons ${png})
    install(FILES ${png} DESTINATION ${icons_dir}/${size}x${size}/apps)
endforeach()
add_custom_target(zelm_desktop_files ALL DEPENDS ${made}/changelog.gz
    ${made}/zelm.desktop ${made}/org.zelm.zelmora.metainfo.xml ${icons})
add_dependencies(zelm_desktop_files zelm_manual)

install(TARGETS zelm DESTINATION ${program_dir})
install(PROGRAMS ${made}/zelm DESTINATION ${launcher_dir})
install(TARGETS zelm-check DESTINATION ${launcher_dir})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data DESTINATION ${share_dir})
install(FILES ${made}/zelm.desktop
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${made}/org.zelm.zelmora.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
install(FILES ${dist}/copyright ${made}/changelog.gz
        ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
# The checker's catalogs, where Debian keeps every program's: the
# checker, in games/, finds them in share/locale/ beside it.
install(DIRECTORY ${ZELM_CATALOGS}/ DESTINATION ${CMAKE_INSTALL_LOCALEDIR})

# ---- Released: the Debian package, the same tree as a tarball, and, as
# this is the machine that builds, the sources every file of the release
# is built from.
if(ZELM_TREE STREQUAL release)
    set(folder ${tarball_folder})
    add_custom_target(release
        COMMAND ${CMAKE_COMMAND} -E rm -rf ${ZELM_STAGE}
        COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${ZELM_STAGE}/deb
                ${ZELM_INSTALL_TO} /usr
        COMMAND ${ZELM_PACK} deb ${ZELM_STAGE}/deb ${made}/control
                ${ZELM_RELEASE_DIR}/zelm_${PROJECT_VERSION}_amd64.deb
        COMMAND ${ZELM_INSTALL_TO} ${ZELM_STAGE}/${folder}
        ${tarball_manuals}
        COMMAND ${ZELM_PACK} tar ${ZELM_STAGE}/${folder}
                ${ZELM_RELEASE_DIR}/${folder}.tar.gz
        COMMAND ${ZELM_PACK} source ${PROJECT_SOURCE_DIR} ${ZELM_RELEASE_NAME}
                ${ZELM_RELEASE_DIR}/${ZELM_RELEASE_NAME}-source.tar.gz
        VERBATIM)
endif()
