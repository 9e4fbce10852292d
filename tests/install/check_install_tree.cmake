# Installs the built project into an empty prefix and checks that exactly the expected files
# arrive: the program, the icon (SVG and every PNG size, each PNG of its stated size), the
# desktop entry, the metainfo, the tools and the examples; the program and tools executable.
# Usage: cmake -DBUILD_DIR=... -DPREFIX=... -DSOURCE_DIR=... -P check_install_tree.cmake

file(REMOVE_RECURSE ${PREFIX})
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=DESTDIR
        ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${status}):\n${out}${err}")
endif()

set(icon_sizes 16 22 24 32 48 64 128 256)
set(expected
    bin/quillon
    share/applications/org.quillon.Quillon.desktop
    share/metainfo/org.quillon.Quillon.metainfo.xml
    share/icons/hicolor/scalable/apps/quillon.svg)
foreach(size IN LISTS icon_sizes)
    list(APPEND expected share/icons/hicolor/${size}x${size}/apps/quillon.png)
endforeach()
set(executables bin/quillon)
foreach(folder tools examples)
    file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}/${folder} ${SOURCE_DIR}/${folder}/*)
    foreach(source IN LISTS sources)
        list(APPEND expected share/quillon/${folder}/${source})
        if(folder STREQUAL "tools")
            list(APPEND executables share/quillon/tools/${source})
        endif()
    endforeach()
endforeach()

file(GLOB_RECURSE installed RELATIVE ${PREFIX} ${PREFIX}/*)
list(SORT expected)
list(SORT installed)
if(NOT installed STREQUAL expected)
    set(missing ${expected})
    list(REMOVE_ITEM missing ${installed})
    set(unexpected ${installed})
    list(REMOVE_ITEM unexpected ${expected})
    message(FATAL_ERROR "installed files differ\nmissing: ${missing}\nunexpected: ${unexpected}")
endif()

# A PNG's width and height are the big-endian words at bytes 16 and 20.
foreach(size IN LISTS icon_sizes)
    set(png ${PREFIX}/share/icons/hicolor/${size}x${size}/apps/quillon.png)
    file(READ ${png} header LIMIT 24 HEX)
    string(SUBSTRING "${header}" 0 16 signature)
    string(SUBSTRING "${header}" 32 16 dimensions)
    math(EXPR hex_size "${size}" OUTPUT_FORMAT HEXADECIMAL)
    string(REPLACE "0x" "" hex_size ${hex_size})
    string(LENGTH ${hex_size} digits)
    math(EXPR padding "8 - ${digits}")
    string(REPEAT 0 ${padding} zeros)
    string(TOLOWER "${zeros}${hex_size}${zeros}${hex_size}" expected_dimensions)
    if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT dimensions STREQUAL expected_dimensions)
        message(FATAL_ERROR "${png} is not a ${size}x${size} PNG (header ${header})")
    endif()
endforeach()

foreach(program IN LISTS executables)
    execute_process(COMMAND test -x ${PREFIX}/${program} RESULT_VARIABLE not_executable)
    if(not_executable)
        message(FATAL_ERROR "${program} is installed without its execute permission")
    endif()
endforeach()

execute_process(COMMAND ${PREFIX}/bin/quillon --version OUTPUT_VARIABLE version)
if(NOT version STREQUAL "Quillon IDE 3.10\n")
    message(FATAL_ERROR "the installed program answers --version with '${version}'")
endif()
