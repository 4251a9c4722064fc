# Copies each default data file from SOURCE_DIR into TARGET_DIR unless a file of that name
# is already there: a rebuild must never overwrite a pupil's saved data.
file(GLOB data_files "${SOURCE_DIR}/*.dat")
foreach(source IN LISTS data_files)
    get_filename_component(name "${source}" NAME)
    if(NOT EXISTS "${TARGET_DIR}/${name}")
        file(COPY "${source}" DESTINATION "${TARGET_DIR}")
    endif()
endforeach()
