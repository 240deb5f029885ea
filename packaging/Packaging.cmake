# What every installed command and dated file shares: the release date and the manual pages.

# The release date is the date of the last commit, so that every build of one commit writes
# the same metadata, manual pages and changelog; outside a checkout, today.
execute_process(
    COMMAND git -C ${PROJECT_SOURCE_DIR} log -1 --format=%ct
    OUTPUT_VARIABLE _commit_time
    OUTPUT_STRIP_TRAILING_WHITESPACE
    ERROR_QUIET)
if(_commit_time MATCHES "^[0-9]+$")
    set(_saved_epoch "$ENV{SOURCE_DATE_EPOCH}")
    set(ENV{SOURCE_DATE_EPOCH} ${_commit_time})
endif()
string(TIMESTAMP TARNOCH_RELEASE_DATE "%Y-%m-%d" UTC)
string(TIMESTAMP TARNOCH_RELEASE_TIME "%a, %d %b %Y %H:%M:%S +0000" UTC)
if(_commit_time MATCHES "^[0-9]+$")
    set(ENV{SOURCE_DATE_EPOCH} "${_saved_epoch}")
endif()

find_program(TARNOCH_GZIP gzip REQUIRED)

# Compresses file at build time as Debian compresses documentation: file.gz, without a time
# stamp. The name of the compressed file goes into out_var.
function(tarnoch_compress file out_var)
    add_custom_command(
        OUTPUT ${file}.gz
        COMMAND ${TARNOCH_GZIP} -9nkf ${file}
        DEPENDS ${file}
        VERBATIM)
    set(${out_var} ${file}.gz PARENT_SCOPE)
endfunction()

# Installs a command into bin/ with its manual page packaging/man/NAME.1, compressed as
# Debian keeps manual pages. Every command the package carries goes through here.
function(tarnoch_install_command target)
    set(_page ${PROJECT_SOURCE_DIR}/packaging/man/${target}.1)
    if(NOT EXISTS ${_page})
        message(FATAL_ERROR "The command ${target} needs its manual page ${_page}")
    endif()
    set(_configured ${PROJECT_BINARY_DIR}/man/${target}.1)
    configure_file(${_page} ${_configured} @ONLY)
    tarnoch_compress(${_configured} _compressed)
    add_custom_target(${target}_manual ALL DEPENDS ${_compressed})
    install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${_compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    set_property(GLOBAL APPEND PROPERTY TARNOCH_COMMANDS ${target})
endfunction()
