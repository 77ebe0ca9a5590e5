# ampleton_help_file(TARGET OUTPUT PROJECT DEPENDS files...): compiles a Qt help project (.qhp) into
# a compressed help file with qhelpgenerator at build time.
find_program(AMPLETON_QHELPGENERATOR qhelpgenerator
    HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_LIBEXECS} /usr/lib/qt6/libexec
    REQUIRED)

function(ampleton_help_file target)
    cmake_parse_arguments(H "" "OUTPUT;PROJECT" "DEPENDS" ${ARGN})
    add_custom_command(OUTPUT ${H_OUTPUT}
        COMMAND ${AMPLETON_QHELPGENERATOR} -s ${H_PROJECT} -o ${H_OUTPUT}
        DEPENDS ${H_PROJECT} ${H_DEPENDS}
        COMMENT "Compiling help ${H_OUTPUT}"
        VERBATIM)
    add_custom_target(${target} ALL DEPENDS ${H_OUTPUT})
endfunction()
