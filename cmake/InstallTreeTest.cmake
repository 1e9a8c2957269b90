# An installed tree works wherever it is copied: installs the build into a temporary prefix,
# moves the tree elsewhere and runs the moved console from another working directory without
# the source tree's help. It must load its own module and show a help page of its own tree.
# Usage: cmake -DBUILD_DIR=<build tree> -P InstallTreeTest.cmake
set(work ${BUILD_DIR}/install_tree_test)
file(REMOVE_RECURSE ${work})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${work}/installed
                RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE error)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${error}")
endif()
file(COPY ${work}/installed/ DESTINATION ${work}/moved)
file(REMOVE_RECURSE ${work}/installed)

foreach(part bin/swconsole bin/swsim bin/swsimd share/torvik/examples/general.txt
             share/torvik/scenarios/default.json)
    if(NOT EXISTS ${work}/moved/${part})
        message(FATAL_ERROR "the installed tree lacks ${part}")
    endif()
endforeach()
file(GLOB_RECURSE modules ${work}/moved/*/libtorvik.so)
file(GLOB_RECURSE help_pages ${work}/moved/*.html)
if(NOT modules OR NOT help_pages)
    message(FATAL_ERROR "the installed tree lacks the module or the help pages")
endif()
find_program(HELP2MAN help2man)
if(HELP2MAN AND NOT EXISTS ${work}/moved/share/man/man1/swconsole.1)
    message(FATAL_ERROR "the installed tree lacks the man page of swconsole")
endif()

file(WRITE ${work}/script.txt "help\n")
file(MAKE_DIRECTORY ${work}/elsewhere)
execute_process(
    COMMAND env -u SW_SOURCE_DIR -u SW_HELP_ROOT -u SW_HELP_VIEWER LD_DEBUG=files
            ${work}/moved/bin/swconsole --page PortGeneral --script ${work}/script.txt
    WORKING_DIRECTORY ${work}/elsewhere
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE trace)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the moved console failed (${status}): ${output}")
endif()
if(NOT output MATCHES "help: ${work}/moved/share/torvik/help/[^\n]+\\.html")
    message(FATAL_ERROR "the moved console did not show a help page of its tree: ${output}")
endif()
if(NOT trace MATCHES "file=${work}/moved/[^ ]*libtorvik.so")
    message(FATAL_ERROR "the moved console did not load its own module")
endif()
file(REMOVE_RECURSE ${work})
message(STATUS "the moved tree loads its module and shows ${CMAKE_MATCH_0}")
