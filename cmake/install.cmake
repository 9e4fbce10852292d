# Installation and the Debian package: the program, its icon in the hicolor theme, the desktop
# entry, the AppStream metainfo, the helper tools and the examples. `cmake --install` and the
# Makefile's `make install` use these rules; `make package` builds a .deb from them with CPack.
include(GNUInstallDirs)

set(QUILLON_APP_ID org.quillon.Quillon)
set(QUILLON_ICON_NAME quillon)
set(QUILLON_ICON_SIZES 16 22 24 32 48 64 128 256)
set(QUILLON_DATA_DIR ${CMAKE_INSTALL_DATADIR}/quillon)

# The PNG sizes of the icon are rendered from its SVG at build time.
add_executable(quillon_render_icon ${PROJECT_SOURCE_DIR}/src/app/icon_renderer/main.cpp)
target_link_libraries(quillon_render_icon PRIVATE Qt6::Gui Qt6::Svg)

set(icon_svg ${PROJECT_SOURCE_DIR}/resources/quillon.svg)
set(icon_pngs)
foreach(size IN LISTS QUILLON_ICON_SIZES)
    set(dir ${CMAKE_BINARY_DIR}/icons/hicolor/${size}x${size}/apps)
    set(png ${dir}/${QUILLON_ICON_NAME}.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
        COMMAND quillon_render_icon ${icon_svg} ${size} ${png}
        DEPENDS quillon_render_icon ${icon_svg}
        COMMENT "Rendering the ${size}x${size} application icon"
        VERBATIM)
    list(APPEND icon_pngs ${png})
endforeach()
add_custom_target(quillon_icons ALL DEPENDS ${icon_pngs})

install(TARGETS quillon RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${icon_svg}
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
    RENAME ${QUILLON_ICON_NAME}.svg)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/hicolor
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/${QUILLON_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/${QUILLON_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The tools and the examples are named one by one, so that nothing a local build of an example
# left beside its sources (images, objects, output.c) is installed or packaged. A file added to
# either folder is added here too; the install test compares these lists with the source tree's
# files under version control.
set(QUILLON_TOOL_FILES configure-toolchain pce-cc)
set(QUILLON_EXAMPLE_FILES
    hello-asm/hello.asm
    hello-c/hello.c
    tiles-project/Makefile
    tiles-project/main.c
    tiles-project/tiles.c
    tiles-project/tiles.h
    tiles-project/vdc.h
    tiles-project/vdc.s)
foreach(tool IN LISTS QUILLON_TOOL_FILES)
    install(PROGRAMS ${PROJECT_SOURCE_DIR}/tools/${tool} DESTINATION ${QUILLON_DATA_DIR}/tools)
endforeach()
foreach(example IN LISTS QUILLON_EXAMPLE_FILES)
    get_filename_component(folder ${example} DIRECTORY)
    install(FILES ${PROJECT_SOURCE_DIR}/examples/${example}
        DESTINATION ${QUILLON_DATA_DIR}/examples/${folder})
endforeach()
# The set-up script on PATH: a relative link into the tools, which finds pce-cc beside itself.
install(CODE "
    set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/quillon-configure-toolchain\")
    file(REMOVE \"\${link}\")
    file(CREATE_LINK ../${QUILLON_DATA_DIR}/tools/configure-toolchain \"\${link}\" SYMBOLIC)
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${link}\")
    message(STATUS \"Installing: \${link}\")")

# Debian package. The library dependencies come from dpkg-shlibdeps; the platform plugins and
# the fonts the editor asks for by name are not linked, so they are named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillon)
set(CPACK_PACKAGE_VENDOR "Quillon IDE developers")
set(CPACK_PACKAGE_CONTACT "Quillon IDE developers <quillon@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Development environment for PC Engine games in C and assembly")
set(CPACK_PACKAGE_DESCRIPTION
    "Edits C and assembly source files in document windows, compiles or assembles the active \
file with the configured tools, shows their messages and starts the ROM image in an emulator.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hicolor-icon-theme")
include(CPack)
