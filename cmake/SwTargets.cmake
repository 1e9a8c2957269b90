# One library target per folder. Sources are the folder's *.cpp files except tests
# (*_test.cpp) and program mains (*_main.cpp); tests are linked into <name>_tests.
include(GoogleTest)

function(sw_folder_library name)
    cmake_parse_arguments(A "" "KIND" "DEPS;LIBS;TEST_LIBS" ${ARGN})
    if(NOT A_KIND)
        set(A_KIND STATIC)
    endif()
    file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    list(FILTER srcs EXCLUDE REGEX "(_test|_main)\\.cpp$")
    add_library(${name} ${A_KIND} ${srcs})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${A_DEPS} ${A_LIBS})
    set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)

    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
    if(tests AND BUILD_TESTING)
        add_executable(${name}_tests ${tests})
        target_link_libraries(${name}_tests PRIVATE ${name} ${A_TEST_LIBS} GTest::gmock_main)
        gtest_discover_tests(${name}_tests DISCOVERY_TIMEOUT 60
                             PROPERTIES ENVIRONMENT "SW_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
    endif()
endfunction()

# A folder that is part of the module libtorvik.so (frame, resources, ports, config,
# services, expander). Its objects go into that one shared library; its tests link the
# library as a whole, as the console loads it, so the module's run-time classes and
# templates exist once.
function(sw_module_folder name)
    cmake_parse_arguments(A "" "" "TEST_LIBS" ${ARGN})
    file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    list(FILTER srcs EXCLUDE REGEX "(_test|_main)\\.cpp$")
    add_library(${name} OBJECT ${srcs})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC sw mib afx)
    set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
    set_property(GLOBAL APPEND PROPERTY SW_MODULE_FOLDERS ${name})

    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
    if(tests AND BUILD_TESTING)
        add_executable(${name}_tests ${tests})
        target_link_libraries(${name}_tests PRIVATE torvik ${A_TEST_LIBS} GTest::gmock_main)
        gtest_discover_tests(${name}_tests DISCOVERY_TIMEOUT 60
                             PROPERTIES ENVIRONMENT "SW_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
    endif()
endfunction()

# libtorvik.so from the objects of every module folder.
function(sw_assemble_module)
    get_property(parts GLOBAL PROPERTY SW_MODULE_FOLDERS)
    if(NOT parts)
        return()
    endif()
    add_library(torvik SHARED)
    foreach(part ${parts})
        target_sources(torvik PRIVATE $<TARGET_OBJECTS:${part}>)
    endforeach()
    target_include_directories(torvik PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(torvik PUBLIC sw mib afx)
    # The Service Admin page runs the console's dialog library.
    if(TARGET dialogs)
        target_link_libraries(torvik PUBLIC dialogs)
    endif()
endfunction()
