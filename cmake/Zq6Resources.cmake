# Embeds files as a static library of byte arrays, like juce_add_binary_data, but the arrays are
# rebuilt whenever a source file changes, and sources may be outputs of custom commands.
function(zq6_add_resources target)
    cmake_parse_arguments(ARG "" "NAMESPACE;HEADER_NAME" "SOURCES" ${ARGN})

    set(folder "${CMAKE_CURRENT_BINARY_DIR}/${target}")
    set(outputs)
    set(index 0)
    foreach(source IN LISTS ARG_SOURCES)
        math(EXPR index "${index} + 1")
        list(APPEND outputs "${folder}/BinaryData${index}.cpp")
    endforeach()
    list(APPEND outputs "${folder}/${ARG_HEADER_NAME}")

    string(JOIN "\n" input_list ${ARG_SOURCES})
    file(CONFIGURE OUTPUT "${folder}/input_file_list" CONTENT "${input_list}\n")

    add_custom_command(OUTPUT ${outputs}
        COMMAND juce::juceaide binarydata "${ARG_NAMESPACE}" "${ARG_HEADER_NAME}" "${folder}" "${folder}/input_file_list"
        DEPENDS "${folder}/input_file_list" ${ARG_SOURCES}
        COMMENT "Embedding resources for ${target}"
        VERBATIM)

    add_library(${target} STATIC ${outputs})
    target_include_directories(${target} INTERFACE "${folder}")
    target_compile_features(${target} PRIVATE cxx_std_17)
endfunction()

# Path of a system font file, failing early with the package that provides it.
function(zq6_find_font out_var file_name)
    set(path "/usr/share/fonts/opentype/inter/${file_name}")
    if(NOT EXISTS "${path}")
        message(FATAL_ERROR "${path} is missing: install the Debian package fonts-inter (scripts/install-deps.sh)")
    endif()
    set(${out_var} "${path}" PARENT_SCOPE)
endfunction()
