# Installation and the Debian package. The framework libraries and the module go together
# into a folder of their own under the library folder, the programs find them through a
# relative RPATH, and the console finds the module, the help pages and the examples
# relative to its own executable: an installed tree works wherever it is copied.
include(GNUInstallDirs)

set(SW_INSTALL_PRIVATE_LIBDIR ${CMAKE_INSTALL_LIBDIR}/torvik)
set(SW_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/torvik)
file(RELATIVE_PATH SW_BIN_TO_PRIVATE_LIBDIR /${CMAKE_INSTALL_BINDIR} /${SW_INSTALL_PRIVATE_LIBDIR})

function(sw_install_everything)
    foreach(program swconsole swconsole-gui swsim swsimd)
        if(TARGET ${program})
            set_target_properties(${program} PROPERTIES INSTALL_RPATH
                                                        "$ORIGIN/${SW_BIN_TO_PRIVATE_LIBDIR}")
            install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
        endif()
    endforeach()
    foreach(library afx mib sw dialogs afxqt torvik)
        if(TARGET ${library})
            set_target_properties(${library} PROPERTIES INSTALL_RPATH "$ORIGIN")
            install(TARGETS ${library} LIBRARY DESTINATION ${SW_INSTALL_PRIVATE_LIBDIR})
        endif()
    endforeach()
    foreach(console swconsole swconsole-gui)
        if(TARGET ${console})
            target_compile_definitions(
                ${console} PRIVATE SW_MODULE_RELATIVE_DIR="${SW_BIN_TO_PRIVATE_LIBDIR}")
        endif()
    endforeach()
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/help/
            DESTINATION ${SW_INSTALL_DATADIR}/help)
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/console/examples/
            DESTINATION ${SW_INSTALL_DATADIR}/examples)
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/sim/scenarios/
            DESTINATION ${SW_INSTALL_DATADIR}/scenarios)
    sw_man_pages()
endfunction()

# Man pages from each program's --help and --version, where Debian's help2man is installed.
function(sw_man_pages)
    find_program(HELP2MAN help2man)
    if(NOT HELP2MAN)
        message(STATUS "help2man not found: no man pages (scripts/setup installs it)")
        return()
    endif()
    set(summary_swconsole "open a switch port's property pages in text mode")
    set(summary_swconsole-gui "the chassis-switch console's window")
    set(summary_swsim "look into the simulated chassis switch and make scenarios")
    set(summary_swsimd "serve the simulated chassis switch over SNMP")
    set(pages)
    foreach(program swconsole swconsole-gui swsim swsimd)
        if(NOT TARGET ${program})
            continue()
        endif()
        set(page ${PROJECT_BINARY_DIR}/man/${program}.1)
        add_custom_command(
            OUTPUT ${page}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
            COMMAND ${HELP2MAN} --no-info --no-discard-stderr --name=${summary_${program}}
                    --section=1 --output=${page} $<TARGET_FILE:${program}>
            DEPENDS ${program}
            COMMENT "Man page of ${program}"
            VERBATIM)
        list(APPEND pages ${page})
    endforeach()
    add_custom_target(man_pages ALL DEPENDS ${pages})
    install(FILES ${pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME torvik)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Torvik maintainers <torvik@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Chassis-switch console with its Ethernet port property module and a simulated switch")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The shared libraries of the package itself are resolved inside it, not in the system.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR}/framework/afx
    ${PROJECT_BINARY_DIR}/framework/mib ${PROJECT_BINARY_DIR}/framework/sw
    ${PROJECT_BINARY_DIR}/framework/dialogs ${PROJECT_BINARY_DIR}/framework/qt ${PROJECT_BINARY_DIR})
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "snmp, snmpd")
include(CPack)

if(BUILD_TESTING)
    add_test(NAME install_tree_relocates
             COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${PROJECT_BINARY_DIR} -P
                     ${PROJECT_SOURCE_DIR}/cmake/InstallTreeTest.cmake)
endif()
