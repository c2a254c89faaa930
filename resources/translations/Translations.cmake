# Included by the user-interface library: the pictures it compiles in (the language dialog's
# flags and globe, the splash picture and its logo), rendered from their sources in art/ like the
# image library, and the German, Spanish and French translations, compiled from the .ts sources
# and embedded under :/corvane/i18n/.
set(ui_art_sources ${PROJECT_SOURCE_DIR}/resources/art)
set(ui_art ${CMAKE_CURRENT_BINARY_DIR}/ui-art)
set(ui_art_pictures flag-de flag-us flag-es flag-fr globe splash splash-logo)
list(TRANSFORM ui_art_pictures PREPEND ${ui_art}/ OUTPUT_VARIABLE ui_art_files)
list(TRANSFORM ui_art_files APPEND .png)
file(GLOB ui_art_svgs CONFIGURE_DEPENDS ${ui_art_sources}/language/*.svg ${ui_art_sources}/splash/*.svg)
add_custom_command(OUTPUT ${ui_art_files}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ui_art}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:corvane_artgen>
          ${ui_art_sources}/ui-manifest.txt ${ui_art_sources} ${ui_art}
  DEPENDS corvane_artgen ${ui_art_sources}/ui-manifest.txt ${ui_art_svgs}
  COMMENT "Rendering the language and splash pictures")
set_source_files_properties(${ui_art_files} PROPERTIES GENERATED TRUE)
qt_add_resources(corvane_ui ui_art PREFIX /corvane/ui BASE ${ui_art} FILES ${ui_art_files})

find_package(Qt6 REQUIRED COMPONENTS LinguistTools)
set(corvane_ts_files
    ${PROJECT_SOURCE_DIR}/resources/translations/corvane_de.ts
    ${PROJECT_SOURCE_DIR}/resources/translations/corvane_es.ts
    ${PROJECT_SOURCE_DIR}/resources/translations/corvane_fr.ts)
set_source_files_properties(${corvane_ts_files} PROPERTIES OUTPUT_LOCATION ${CMAKE_CURRENT_BINARY_DIR}/i18n)
qt_add_lrelease(corvane_ui TS_FILES ${corvane_ts_files} NO_GLOBAL_TARGET QM_FILES_OUTPUT_VARIABLE corvane_qm_files)
qt_add_resources(corvane_ui translations PREFIX /corvane/i18n BASE ${CMAKE_CURRENT_BINARY_DIR}/i18n
                 FILES ${corvane_qm_files})
