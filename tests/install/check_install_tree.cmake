# Installs the built project into an empty prefix and checks that exactly the expected files
# arrive: the program, the link to the set-up script, the icon (SVG and every PNG size, each PNG
# of its stated size), the desktop entry, the metainfo, the tools and the examples as the source
# tree holds them (nothing a build of an example left beside them); the program and tools
# executable. The package is built from the same rules.
# Usage: cmake -DBUILD_DIR=... -DPREFIX=... -DSOURCE_DIR=... -P check_install_tree.cmake

# Build leftovers beside the examples, as a local build leaves them; they must not be installed.
set(leftovers
    ${SOURCE_DIR}/examples/hello-c/install-check-leftover.o
    ${SOURCE_DIR}/examples/hello-asm/install-check-leftover.pce)
# A source tree this user may not write into gets none; the lists are checked all the same.
foreach(leftover IN LISTS leftovers)
    execute_process(COMMAND ${CMAKE_COMMAND} -E touch ${leftover}
        RESULT_VARIABLE ignored OUTPUT_QUIET ERROR_QUIET)
endforeach()

file(REMOVE_RECURSE ${PREFIX})
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=DESTDIR
        ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(REMOVE ${leftovers})
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${status}):\n${out}${err}")
endif()

# The files of the source tree's tools and examples: those under version control in a checkout,
# else every file but the ones the examples' .gitignore names. Dot files are not shipped.
find_program(GIT_PROGRAM git)
set(tree_files)
if(GIT_PROGRAM AND EXISTS ${SOURCE_DIR}/.git)
    execute_process(COMMAND ${GIT_PROGRAM} -C ${SOURCE_DIR} ls-files -- tools examples
        RESULT_VARIABLE git_status OUTPUT_VARIABLE tracked OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(git_status EQUAL 0)
        string(REPLACE "\n" ";" tree_files "${tracked}")
    endif()
endif()
if(NOT tree_files)
    file(GLOB_RECURSE tree_files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/tools/* ${SOURCE_DIR}/examples/*)
    list(FILTER tree_files EXCLUDE REGEX "(\\.pce|\\.o|/output\\.c|/oldoutput\\.c)$")
endif()
list(FILTER tree_files EXCLUDE REGEX "(^|/)\\.[^/]*$")

set(icon_sizes 16 22 24 32 48 64 128 256)
set(expected
    bin/quillon
    share/applications/org.quillon.Quillon.desktop
    share/metainfo/org.quillon.Quillon.metainfo.xml
    share/icons/hicolor/scalable/apps/quillon.svg)
foreach(size IN LISTS icon_sizes)
    list(APPEND expected share/icons/hicolor/${size}x${size}/apps/quillon.png)
endforeach()
list(APPEND expected bin/quillon-configure-toolchain)
set(executables bin/quillon bin/quillon-configure-toolchain)
foreach(source IN LISTS tree_files)
    list(APPEND expected share/quillon/${source})
    if(source MATCHES "^tools/")
        list(APPEND executables share/quillon/${source})
    endif()
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

# The link on PATH reaches the set-up script, which finds the wrapper beside itself.
execute_process(COMMAND readlink ${PREFIX}/bin/quillon-configure-toolchain
    OUTPUT_VARIABLE target OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT target STREQUAL "../share/quillon/tools/configure-toolchain")
    message(FATAL_ERROR "bin/quillon-configure-toolchain points to '${target}'")
endif()
execute_process(COMMAND ${PREFIX}/bin/quillon-configure-toolchain --help
    RESULT_VARIABLE help_status OUTPUT_VARIABLE help)
if(NOT help_status EQUAL 0 OR NOT help MATCHES "configure-toolchain")
    message(FATAL_ERROR "quillon-configure-toolchain --help failed (${help_status}): ${help}")
endif()

execute_process(COMMAND ${PREFIX}/bin/quillon --version OUTPUT_VARIABLE version)
if(NOT version STREQUAL "Quillon IDE 3.10\n")
    message(FATAL_ERROR "the installed program answers --version with '${version}'")
endif()
