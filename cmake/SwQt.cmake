# The desktop window's folders (framework/qt, console/gui) and their tests, never in the
# fuzzing build. A build that asked for them and cannot find Qt 6 stops: passing tests
# without the window's would look like a pass of them. -DSW_GUI=OFF builds without.
# Their tests are Qt Test programs (*_qtest.cpp, one program each, run offscreen) beside
# GoogleTest tests of their Qt-free parts (*_test.cpp).
option(SW_GUI "Build the desktop window (needs Qt 6 Widgets, Charts, Svg, Test)" ON)
set(SW_HAVE_QT OFF)
if(SW_GUI AND NOT SW_FUZZ)
    find_package(Qt6 6.2 QUIET COMPONENTS Widgets Charts Svg Test)
    if(NOT Qt6_FOUND)
        message(FATAL_ERROR "Qt 6 (Widgets, Charts, Svg, Test) not found: run scripts/setup, "
                            "or configure with -DSW_GUI=OFF to build without the desktop window")
    endif()
    set(SW_HAVE_QT ON)
endif()

function(sw_qt_folder_library name)
    cmake_parse_arguments(A "" "KIND" "DEPS;LIBS;TEST_LIBS" ${ARGN})
    if(NOT A_KIND)
        set(A_KIND STATIC)
    endif()
    file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp
         ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
    list(FILTER srcs EXCLUDE REGEX "(_test|_qtest|_main)\\.cpp$")
    if(NOT srcs)
        return()
    endif()
    add_library(${name} ${A_KIND} ${srcs})
    set_target_properties(${name} PROPERTIES AUTOMOC ON AUTORCC ON POSITION_INDEPENDENT_CODE ON)
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${A_DEPS} ${A_LIBS} Qt6::Widgets)
    if(NOT BUILD_TESTING)
        return()
    endif()

    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
    if(tests)
        add_executable(${name}_tests ${tests})
        target_link_libraries(${name}_tests PRIVATE ${name} ${A_TEST_LIBS} GTest::gmock_main)
        gtest_discover_tests(${name}_tests DISCOVERY_TIMEOUT 60
                             PROPERTIES ENVIRONMENT "SW_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
    endif()
    file(GLOB qtests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_qtest.cpp)
    foreach(qtest ${qtests})
        get_filename_component(base ${qtest} NAME_WE)
        add_executable(${base} ${qtest})
        set_target_properties(${base} PROPERTIES AUTOMOC ON)
        target_link_libraries(${base} PRIVATE ${name} ${A_TEST_LIBS} Qt6::Test)
        add_test(NAME ${base} COMMAND ${base})
        set_tests_properties(
            ${base} PROPERTIES ENVIRONMENT
                               "QT_QPA_PLATFORM=offscreen;SW_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
    endforeach()
endfunction()
