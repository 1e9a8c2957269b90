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
