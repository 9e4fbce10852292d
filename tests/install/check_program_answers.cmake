# Runs the program with --version, --help and an unknown option where no display can be
# reached: each must answer on the right stream with the right status, without a window.
# Usage: cmake -DPROGRAM=path/to/quillon -P check_program_answers.cmake

function(run_program expected_status expected_out expected_err)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
            QT_QPA_PLATFORM=xcb ${PROGRAM} ${ARGN}
        RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status STREQUAL expected_status)
        message(FATAL_ERROR "quillon ${ARGN}: exit status ${status}, expected ${expected_status}\n"
            "stdout: ${out}\nstderr: ${err}")
    endif()
    if(NOT out MATCHES "${expected_out}")
        message(FATAL_ERROR "quillon ${ARGN}: standard output\n${out}\ndoes not match ${expected_out}")
    endif()
    if(NOT err MATCHES "${expected_err}")
        message(FATAL_ERROR "quillon ${ARGN}: standard error\n${err}\ndoes not match ${expected_err}")
    endif()
endfunction()

run_program(0 "^Quillon IDE 3\\.10\n$" "^$" --version)
run_program(0 "^Usage: quillon .*--version" "^$" game.c --help)
run_program(2 "^$" "^quillon: unknown option '--bogus'\nUsage: quillon " --bogus game.c)
run_program(2 "^$" "^quillon: unknown option '-platform'\nUsage: quillon " -platform offscreen)
