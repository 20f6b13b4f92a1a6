# Every subsystem folder is one static library made of all its sources, so a
# new file never needs an edit of a shared CMake file.
function(add_subsystem name)
    cmake_parse_arguments(SUB "" "" "DEPS;PRIVATE_DEPS" ${ARGN})
    file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
         ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(NOT srcs)
        # A folder of headers alone is an interface library.
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${name} INTERFACE ${SUB_DEPS})
        return()
    endif()
    add_library(${name} STATIC ${srcs})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${SUB_DEPS} PRIVATE ${SUB_PRIVATE_DEPS})
endfunction()

# One test program per subsystem folder under tests/, labelled with the
# subsystem so `ctest -L foundation` runs just that part.
function(add_subsystem_tests name)
    cmake_parse_arguments(T "" "" "DEPS" ${ARGN})
    file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
         ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(NOT srcs)
        return()
    endif()
    add_executable(test_${name} ${srcs})
    target_link_libraries(test_${name} PRIVATE ${T_DEPS} testsupport
                          GTest::gtest GTest::gmock GTest::gtest_main)
    gtest_discover_tests(test_${name}
        PROPERTIES LABELS ${name}
        DISCOVERY_TIMEOUT 60)
endfunction()
