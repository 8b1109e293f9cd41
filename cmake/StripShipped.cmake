# The shipped programs go out stripped; their symbols stay in the build, beside each file as
# <file>.debug and linked to it by name, for reading an address that a workstation reports.
function(zt_strip_shipped target)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> $<TARGET_FILE:${target}>.debug
        COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=$<TARGET_FILE:${target}>.debug
            $<TARGET_FILE:${target}>
        VERBATIM)
endfunction()
