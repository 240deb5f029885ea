# The user guide "Tarnoch.rtf": written from its HTML source by tarnoch-guide, which reads HTML
# through Qt's GUI module and so runs on the offscreen platform.
set(_guide_source ${CMAKE_CURRENT_SOURCE_DIR}/guide/guide.html)
set(_guide_file ${TARNOCH_PROGRAM_DIR}/Tarnoch.rtf)
add_custom_command(
    OUTPUT ${_guide_file}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            $<TARGET_FILE:tarnoch-guide> ${_guide_source} ${_guide_file}
    DEPENDS tarnoch-guide ${_guide_source}
    COMMENT "Writing the user guide"
    VERBATIM)
list(APPEND TARNOCH_DATA_OUTPUTS ${_guide_file})
