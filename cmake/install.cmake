# `make install`: the `trigonix` command itself, its shared pictures,
# sounds and music, the two data files' defaults that each player's own
# copies start from, the manual, the licence, the desktop entry, icons and
# AppStream metainfo. `make uninstall` reads the manifest this leaves in
# the build.
include(GNUInstallDirs)

# Where the licence goes: the freedesktop place by default; a Debian
# package makes it share/doc/trigonix/copyright.
set(TRIGONIX_LICENSE_FILE ${CMAKE_INSTALL_DATADIR}/licenses/trigonix/LICENSE CACHE STRING
    "Where the licence is installed, relative to the prefix")
get_filename_component(TRIGONIX_LICENSE_DIR ${TRIGONIX_LICENSE_FILE} DIRECTORY)
get_filename_component(TRIGONIX_LICENSE_NAME ${TRIGONIX_LICENSE_FILE} NAME)

set(TRIGONIX_APP_ID io.github.trigonix.Trigonix)
set(TRIGONIX_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/trigonix)
set(TRIGONIX_DESKTOP_DIR ${CMAKE_INSTALL_DATADIR}/applications)
set(TRIGONIX_ICON_DIRS)
foreach(size ${TRIGONIX_ICON_SIZES})
    list(APPEND TRIGONIX_ICON_DIRS ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
set(TRIGONIX_MAN_DIR ${CMAKE_INSTALL_MANDIR}/man6)
set(TRIGONIX_METAINFO_DIR ${CMAKE_INSTALL_DATADIR}/metainfo)

# The installed game finds its shared files from its own folder, so a tree
# installed under another prefix (`cmake --install --prefix`, a staged
# package unpacked elsewhere) finds them too; the full path stands in
# should the program's folder be unknown.
file(RELATIVE_PATH TRIGONIX_SHARE_FROM_PROGRAM ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_DATADIR}/trigonix)
set_source_files_properties(${CMAKE_SOURCE_DIR}/platform/game_files.cpp PROPERTIES
    COMPILE_DEFINITIONS "TRIGONIX_SHARE_FROM_PROGRAM=\"${TRIGONIX_SHARE_FROM_PROGRAM}\";TRIGONIX_INSTALLED_SHARE=\"${CMAKE_INSTALL_FULL_DATADIR}/trigonix\"")

# The defaults come straight from the generator's own table, not from the
# built Data folder, whose copies someone may have played with.
set(TRIGONIX_DEFAULTS_BUILT ${CMAKE_BINARY_DIR}/defaults)
add_custom_command(
    OUTPUT ${TRIGONIX_DEFAULTS_BUILT}/.stamp
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/packaging/write_defaults.py
            ${TRIGONIX_DEFAULTS_BUILT}
    COMMAND ${CMAKE_COMMAND} -E touch ${TRIGONIX_DEFAULTS_BUILT}/.stamp
    DEPENDS ${CMAKE_SOURCE_DIR}/packaging/write_defaults.py ${CMAKE_SOURCE_DIR}/tools/make_data.py
    COMMENT "Writing the data files' default templates")
add_custom_target(default_data_files ALL DEPENDS ${TRIGONIX_DEFAULTS_BUILT}/.stamp)

# The manual, with this version, its date and the installed paths, and
# compressed as distributions ship manuals (no name or time in the header,
# so every build gives the same bytes).
if(TRIGONIX_SOUNDFONT)
    set(TRIGONIX_MAN_SOUNDFONT ${TRIGONIX_SOUNDFONT})
    set(TRIGONIX_MAN_SOUNDFONT_OWN "\n.IR ${TRIGONIX_SOUNDFONT} ,")
else()
    set(TRIGONIX_MAN_SOUNDFONT /usr/share/sounds/sf2/default-GM.sf2)
    set(TRIGONIX_MAN_SOUNDFONT_OWN "")
endif()
configure_file(${CMAKE_SOURCE_DIR}/packaging/trigonix.6.in ${CMAKE_BINARY_DIR}/trigonix.6 @ONLY)
add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/trigonix.6.gz
    COMMAND ${Python3_EXECUTABLE} -c
            "import gzip, sys; open(sys.argv[2], 'wb').write(gzip.compress(open(sys.argv[1], 'rb').read(), 9, mtime=0))"
            ${CMAKE_BINARY_DIR}/trigonix.6 ${CMAKE_BINARY_DIR}/trigonix.6.gz
    DEPENDS ${CMAKE_BINARY_DIR}/trigonix.6
    COMMENT "Compressing the manual"
    VERBATIM)
add_custom_target(manual ALL DEPENDS ${CMAKE_BINARY_DIR}/trigonix.6.gz)

# Install-time values the code below works from.
install(CODE "
    set(_trigonix_folders ${CMAKE_INSTALL_BINDIR} ${TRIGONIX_SHARE_DIR}/Data
        ${TRIGONIX_SHARE_DIR}/defaults ${TRIGONIX_DESKTOP_DIR} ${TRIGONIX_ICON_DIRS}
        ${TRIGONIX_METAINFO_DIR} ${TRIGONIX_MAN_DIR} ${TRIGONIX_LICENSE_DIR})
    set(_trigonix_previous_manifest \"${CMAKE_BINARY_DIR}/install_manifest.txt\")
")

# Every folder the install is about to make is noted first, so that
# uninstalling removes those, once empty, and no folder that was there before.
# Installing again over our own install keeps the folders the first one made.
install(CODE [[
    function(_trigonix_full_path result path)
        if(NOT IS_ABSOLUTE "${path}")
            set(path "${CMAKE_INSTALL_PREFIX}/${path}")
        endif()
        set(${result} "${path}" PARENT_SCOPE)
    endfunction()

    set(_trigonix_made_before)
    if(EXISTS "${_trigonix_previous_manifest}")
        file(STRINGS "${_trigonix_previous_manifest}" _entries)
        set(_in_place TRUE)
        set(_folders)
        foreach(_entry IN LISTS _entries)
            if(_entry MATCHES "/$")
                string(REGEX REPLACE "/$" "" _entry "${_entry}")
                list(APPEND _folders "${_entry}")
            elseif(NOT EXISTS "$ENV{DESTDIR}${_entry}")
                set(_in_place FALSE)  # that install went somewhere else
            endif()
        endforeach()
        if(_in_place)
            set(_trigonix_made_before ${_folders})
        endif()
    endif()

    # Noted as the manifest names files: without DESTDIR.
    set(_trigonix_new_folders)
    foreach(_folder IN LISTS _trigonix_folders)
        _trigonix_full_path(_folder "${_folder}")
        while(NOT _folder STREQUAL "/")
            list(FIND _trigonix_made_before "${_folder}" _ours)
            if(EXISTS "$ENV{DESTDIR}${_folder}" AND _ours EQUAL -1)
                break()
            endif()
            list(APPEND _trigonix_new_folders "${_folder}")
            get_filename_component(_folder "${_folder}" DIRECTORY)
        endwhile()
    endforeach()
]])

install(TARGETS trigonix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The shared Data folder: pictures, sounds, music and the window icon. The
# two data files are each player's own, begun from the defaults beside it.
set(TRIGONIX_SHARED_DATA
    3dship4lr.bmp 3dship42lr.bmp moon.bmp sky.bmp alienlr.bmp
    title.wav Bleep.wav Bleep2.wav bye.wav erased.wav Boom1.wav Boom2.wav
    Waltz.mid icon.bmp)
list(TRANSFORM TRIGONIX_SHARED_DATA PREPEND ${CMAKE_BINARY_DIR}/Data/)
install(FILES ${TRIGONIX_SHARED_DATA} DESTINATION ${TRIGONIX_SHARE_DIR}/Data)
install(FILES "${TRIGONIX_DEFAULTS_BUILT}/settings .tgx" "${TRIGONIX_DEFAULTS_BUILT}/data .tgx"
        DESTINATION ${TRIGONIX_SHARE_DIR}/defaults)

foreach(size ${TRIGONIX_ICON_SIZES})
    install(FILES ${CMAKE_BINARY_DIR}/icons/${size}x${size}/trigonix.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${TRIGONIX_APP_ID}.png)
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/trigonix.6.gz DESTINATION ${TRIGONIX_MAN_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE
        DESTINATION ${TRIGONIX_LICENSE_DIR} RENAME ${TRIGONIX_LICENSE_NAME})

# The desktop entry and metainfo name installed paths, so they are made
# when the prefix is final: `cmake --install --prefix` may change it.
install(CODE "
    _trigonix_full_path(_bin \"${CMAKE_INSTALL_BINDIR}\")
    _trigonix_full_path(_desktop \"${TRIGONIX_DESKTOP_DIR}\")
    _trigonix_full_path(_metainfo \"${TRIGONIX_METAINFO_DIR}\")
    set(TRIGONIX_COMMAND \"\${_bin}/trigonix\")
    set(TRIGONIX_VERSION \"${PROJECT_VERSION}\")
    set(TRIGONIX_RELEASE_DATE \"${TRIGONIX_RELEASE_DATE}\")
    set(TRIGONIX_HOMEPAGE \"${TRIGONIX_HOMEPAGE}\")
    # Made per prefix, and only for as long as the install takes: a test
    # installing elsewhere never races a real install.
    string(MD5 _key \"\${CMAKE_INSTALL_PREFIX}\")
    set(_made \"${CMAKE_BINARY_DIR}/packaging/\${_key}\")
    configure_file(\"${CMAKE_SOURCE_DIR}/packaging/${TRIGONIX_APP_ID}.desktop.in\"
                   \"\${_made}/${TRIGONIX_APP_ID}.desktop\" @ONLY)
    configure_file(\"${CMAKE_SOURCE_DIR}/packaging/${TRIGONIX_APP_ID}.metainfo.xml.in\"
                   \"\${_made}/${TRIGONIX_APP_ID}.metainfo.xml\" @ONLY)
    file(INSTALL DESTINATION \"\${_desktop}\" TYPE FILE
         FILES \"\${_made}/${TRIGONIX_APP_ID}.desktop\")
    file(INSTALL DESTINATION \"\${_metainfo}\" TYPE FILE
         FILES \"\${_made}/${TRIGONIX_APP_ID}.metainfo.xml\")
    file(REMOVE_RECURSE \"\${_made}\")
")

# The folders noted above go at the end of the manifest, marked by their
# trailing slash, deepest first.
install(CODE "
    list(REMOVE_DUPLICATES _trigonix_new_folders)
    list(SORT _trigonix_new_folders ORDER DESCENDING)
    foreach(_folder \${_trigonix_new_folders})
        list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${_folder}/\")
    endforeach()
")
