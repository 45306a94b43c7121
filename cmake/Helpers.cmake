# SPDX-License-Identifier: GPL-3.0-or-later
# One-line helpers for tests: every test is a single call in tests/CMakeLists.txt.

find_package(GTest REQUIRED)

# add_unit_test(NAME name SOURCES ... LIBS ... [LABEL unit|widget|fuzz])
function(add_unit_test)
    cmake_parse_arguments(T "" "NAME;LABEL;TIMEOUT" "SOURCES;LIBS" ${ARGN})
    if(NOT T_LABEL)
        set(T_LABEL unit)
    endif()
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 120)
    endif()
    add_executable(${T_NAME} ${T_SOURCES} ${CMAKE_SOURCE_DIR}/tests/support/qt_test_main.cpp)
    set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock Qt6::Test)
    target_include_directories(${T_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    # No session bus: the tests must not depend on (or show icons on) the desktop they run on.
    set(env "QT_QPA_PLATFORM=offscreen;DBUS_SESSION_BUS_ADDRESS=unix:path=${CMAKE_BINARY_DIR}/no-bus")
    set_tests_properties(${T_NAME} PROPERTIES LABELS ${T_LABEL} TIMEOUT ${T_TIMEOUT}
        ENVIRONMENT "${env}")
endfunction()

# add_e2e_test(NAME name SCRIPT file.py [TIMEOUT s]): a Python scenario driving the real binaries
# under Xvfb, see tests/e2e/harness.py.
function(add_e2e_test)
    cmake_parse_arguments(T "" "NAME;SCRIPT;TIMEOUT" "" ${ARGN})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    find_package(Python3 REQUIRED COMPONENTS Interpreter)
    add_test(NAME ${T_NAME}
        COMMAND ${Python3_EXECUTABLE} -m unittest -v ${T_SCRIPT}
        WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}/tests/e2e)
    set_tests_properties(${T_NAME} PROPERTIES LABELS e2e TIMEOUT ${T_TIMEOUT}
        ENVIRONMENT "ZORRIT_BIN_DIR=${CMAKE_BINARY_DIR}/bin;ZORRIT_SOURCE_DIR=${CMAKE_SOURCE_DIR};ZORRIT_WEB_HOST=${ZORRIT_WEB_HOST};ZORRIT_VERSION=${PROJECT_VERSION};ZORRIT_BUILD_NUMBER=${ZORRIT_BUILD_NUMBER}"
        RESOURCE_LOCK xserver_cpu)
endfunction()
