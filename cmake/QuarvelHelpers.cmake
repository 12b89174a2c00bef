# One function per kind of target, so a new library or test is one call.

set(QUARVEL_WARNINGS -Wall -Wextra -Wpedantic)
if(QUARVEL_WERROR)
    list(APPEND QUARVEL_WARNINGS -Werror)
    # GCC 12 reports -Wrestrict inside libstdc++'s string code when optimising ("S" +
    # std::to_string(n) is enough; GCC bug 105329): a warning there, never an error.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        list(APPEND QUARVEL_WARNINGS -Wno-error=restrict)
    endif()
endif()
set(QUARVEL_DEFINES QT_NO_FOREACH QT_NO_CAST_FROM_BYTEARRAY QT_NO_URL_CAST_FROM_STRING)

if(QUARVEL_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

function(quarvel_setup_target target)
    target_compile_options(${target} PRIVATE ${QUARVEL_WARNINGS})
    target_compile_definitions(${target} PRIVATE ${QUARVEL_DEFINES})
endfunction()

# quarvel_add_library(name SOURCES ... DEPENDS ...)
function(quarvel_add_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
    quarvel_setup_target(${name})
endfunction()

# quarvel_add_test(name SOURCES ... DEPENDS ...): a GoogleTest executable, registered with CTest
# and run headless.
function(quarvel_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} GTest::gtest GTest::gtest_main)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    quarvel_setup_target(${name})
    include(GoogleTest)
    gtest_discover_tests(${name}
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8"
        DISCOVERY_TIMEOUT 60)
endfunction()
