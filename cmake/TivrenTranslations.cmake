# SPDX-License-Identifier: GPL-3.0-or-later
# Tivren's texts through Qt's translation tools. lupdate reads Text::en("...") as tr() and
# Text::plural("...") as QT_TR_N_NOOP(), all in the context the TIVREN_TEXT_CONTEXT marker of
# src/app/text/Text.h names. translations/tivren_<language>.ts hold the translations (English: its
# plural forms only); the build compiles them to .qm files embedded in tivren_app.
find_package(Qt6 6.4 REQUIRED COMPONENTS LinguistTools)

set(TIVREN_LANGUAGES de es fr nl)
set(TIVREN_LUPDATE_OPTIONS
    -tr-function-alias tr+=en,QT_TR_N_NOOP+=plural,Q_DECLARE_TR_FUNCTIONS+=TIVREN_TEXT_CONTEXT
    -locations none -no-obsolete -silent)

set(TIVREN_TS_FILES)
foreach(language IN LISTS TIVREN_LANGUAGES)
    list(APPEND TIVREN_TS_FILES ${PROJECT_SOURCE_DIR}/translations/tivren_${language}.ts)
endforeach()
set(TIVREN_PLURALS_TS_FILE ${PROJECT_SOURCE_DIR}/translations/tivren_en.ts)

# Brings the .ts files in step with the sources: new texts arrive unfinished, texts no source
# uses any more are dropped. Run it after adding or changing a text, then translate.
add_custom_target(update_translations
    COMMAND Qt6::lupdate ${TIVREN_LUPDATE_OPTIONS} -I src src -ts ${TIVREN_TS_FILES}
    COMMAND Qt6::lupdate ${TIVREN_LUPDATE_OPTIONS} -pluralonly -I src src -ts ${TIVREN_PLURALS_TS_FILE}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    VERBATIM)

# Compiles the .ts files and embeds them under :/i18n in target.
function(tivren_embed_translations target)
    qt_add_lrelease(${target}
        TS_FILES ${TIVREN_TS_FILES} ${TIVREN_PLURALS_TS_FILE}
        OPTIONS -nounfinished -silent
        QM_FILES_OUTPUT_VARIABLE qm_files)
    qt_add_resources(${target} tivren_translations
        PREFIX /i18n
        BASE ${CMAKE_CURRENT_BINARY_DIR}
        FILES ${qm_files})
endfunction()
