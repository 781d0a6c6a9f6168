# SPDX-License-Identifier: GPL-3.0-or-later
# `format` rewrites every C++ file in place; `format-check` (also a ctest test) fails on any difference.
find_program(CLANG_FORMAT_EXECUTABLE NAMES clang-format clang-format-14)
if(NOT CLANG_FORMAT_EXECUTABLE)
    message(STATUS "clang-format not found: the format targets are not available")
    return()
endif()

set(_tivren_format_script ${PROJECT_SOURCE_DIR}/scripts/format)

add_custom_target(format
    COMMAND ${_tivren_format_script} --fix
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    COMMENT "Formatting the sources with clang-format"
    VERBATIM)
add_custom_target(format-check
    COMMAND ${_tivren_format_script} --check
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    VERBATIM)
if(TIVREN_BUILD_TESTS)
    add_test(NAME format_check COMMAND ${_tivren_format_script} --check WORKING_DIRECTORY ${PROJECT_SOURCE_DIR})
endif()
