# One static library per src/ folder. Sources are picked up from the folder itself so that a new
# file needs no edit here; the DEPS list is the folder's contract of what it may use.
function(hl_subsystem name)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(NOT sources)
        # A folder whose code has not landed yet still names its dependencies.
        add_library(hl_${name} INTERFACE)
        target_include_directories(hl_${name} INTERFACE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/include)
        target_link_libraries(hl_${name} INTERFACE ${ARG_DEPS})
        return()
    endif()
    add_library(hl_${name} STATIC ${sources})
    target_include_directories(hl_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/include)
    target_link_libraries(hl_${name} PUBLIC ${ARG_DEPS})
    # src/library links every subsystem into libhlreports.
    set_property(GLOBAL APPEND PROPERTY HL_SUBSYSTEM_LIBRARIES hl_${name})
endfunction()

# One test program per tests/ folder; every *.cpp in it is a part of that program.
function(hl_test_folder name)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(NOT sources)
        return()
    endif()
    add_executable(test_${name} ${sources})
    target_include_directories(test_${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(test_${name} PRIVATE ${ARG_DEPS} hl_testsupport GTest::gtest_main GTest::gmock)
    target_compile_definitions(test_${name} PRIVATE
        HL_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
        HL_BINARY_DIR="${PROJECT_BINARY_DIR}")
    include(GoogleTest)
    gtest_discover_tests(test_${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS ${name})
endfunction()
