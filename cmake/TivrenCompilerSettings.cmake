# SPDX-License-Identifier: GPL-3.0-or-later
# Compiler settings shared by every Tivren target: call tivren_target_defaults(<target>).
function(tivren_target_defaults target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(TIVREN_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    target_compile_definitions(${target} PRIVATE
        QT_NO_CAST_FROM_ASCII
        QT_NO_CAST_TO_ASCII
        QT_NO_URL_CAST_FROM_STRING
        QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
        QT_USE_QSTRINGBUILDER
        QT_NO_KEYWORDS
        QT_NO_FOREACH)
endfunction()
