# orvane_painted_pictures(<target> <prefix> PAINTER <tool> [FILE_ARG] NAMES <name>... COMMENT <text>)
#
# Pictures painted at build time by one of our painter tools and embedded in <target> as Qt
# resources :/<prefix>/<name>. The names carry no extension, so lookups need not know the format.
# The painter is given the folder ${CMAKE_CURRENT_BINARY_DIR}/<prefix> to paint <name>.png files
# into, or with FILE_ARG the path of its single picture. The folder is returned in
# <prefix>_PICTURE_DIR.
function(orvane_painted_pictures target prefix)
    cmake_parse_arguments(PARSE_ARGV 2 arg "FILE_ARG" "PAINTER;COMMENT" "NAMES")
    set(dir ${CMAKE_CURRENT_BINARY_DIR}/${prefix})
    set(files)
    foreach(name ${arg_NAMES})
        list(APPEND files ${dir}/${name}.png)
        set_source_files_properties(${dir}/${name}.png PROPERTIES GENERATED TRUE QT_RESOURCE_ALIAS ${name})
    endforeach()
    set(out ${dir})
    if(arg_FILE_ARG)
        set(out ${files})
    endif()
    add_custom_command(
        OUTPUT ${files}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
        COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:${arg_PAINTER}> ${out}
        DEPENDS ${arg_PAINTER}
        COMMENT "${arg_COMMENT}")
    qt_add_resources(${target} ${prefix} PREFIX /${prefix} BASE ${dir} FILES ${files})
    set(${prefix}_PICTURE_DIR ${dir} PARENT_SCOPE)
endfunction()
