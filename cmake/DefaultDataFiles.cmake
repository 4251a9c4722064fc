# Places the default data files beside a program after each build, but never over a
# pupil's saved ones.
function(tumbora_place_default_data target)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND}
            -DSOURCE_DIR=${PROJECT_SOURCE_DIR}/data
            -DTARGET_DIR=$<TARGET_FILE_DIR:${target}>
            -P ${PROJECT_SOURCE_DIR}/cmake/CopyMissingDataFiles.cmake
        VERBATIM)
endfunction()
