# Run by CPack on the staged files before it packs them.
set(_usr "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")

# Stripped as Debian strips: no symbols beyond those needed, no compiler notes.
file(GLOB _programs "${_usr}/${CPACK_TARNOCH_BINDIR}/*")
foreach(_program IN LISTS _programs)
    execute_process(
        COMMAND ${CPACK_TARNOCH_STRIP} --remove-section=.comment --remove-section=.note
                --strip-unneeded ${_program}
        COMMAND_ERROR_IS_FATAL ANY)
endforeach()

# The package takes the sheet's faces from the font packages it depends on instead of
# carrying copies: each font file of the program becomes a relative link to the font.
foreach(_entry IN LISTS CPACK_TARNOCH_SHEET_FONTS)
    string(REPLACE "|" ";" _fields "${_entry}")
    list(GET _fields 0 _name)
    list(GET _fields 1 _font)
    set(_file "${_usr}/${CPACK_TARNOCH_DATADIR}/tarnoch/${_name}")
    if(NOT EXISTS "${_file}")
        message(FATAL_ERROR "The staged font file ${_file} is missing")
    endif()
    file(REMOVE "${_file}")
    file(CREATE_LINK "../fonts/${_font}" "${_file}" SYMBOLIC)
endforeach()
