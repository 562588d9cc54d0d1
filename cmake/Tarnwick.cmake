# Build helpers shared by every component.

# Compiler settings every target of the project gets.
function(tarnwick_target_defaults target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(TARNWICK_UNITY_BUILD AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        # A batch includes its sources, so a test fixture in a source's anonymous namespace looks to g++
        # like one in a header; the batch is one translation unit, so the fixture stays private. (clang
        # has no such warning.)
        target_compile_options(${target} PRIVATE -Wno-subobject-linkage)
    endif()
    if(TARNWICK_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    if(TARNWICK_SANITIZE)
        target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                 -fno-sanitize-recover=undefined)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
endfunction()

# tarnwick_library(<name> SHARED|STATIC|OBJECT SOURCES ... [PUBLIC_LIBS ...] [PRIVATE_LIBS ...])
# The component's public headers are in <folder>/include.
function(tarnwick_library name kind)
    cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
    add_library(${name} ${kind} ${ARG_SOURCES})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/include)
        target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/include)
    endif()
    target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})
    tarnwick_target_defaults(${name})
    if(kind STREQUAL "SHARED")
        install(TARGETS ${name} LIBRARY DESTINATION lib)
    endif()
endfunction()

# tarnwick_test(<name> LABEL <label> SOURCES ... [LIBS ...])
# One GoogleTest executable; its cases are registered with ctest under the component's label.
function(tarnwick_test name)
    cmake_parse_arguments(ARG "" "LABEL" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    tarnwick_target_defaults(${name})
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        PROPERTIES LABELS ${ARG_LABEL}
                   ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TARNWICK_TEST_BINARY_DIR=${CMAKE_BINARY_DIR}")
endfunction()
