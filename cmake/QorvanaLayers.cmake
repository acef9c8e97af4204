# The layers of the source tree, enforced by the build. Each domain folder is a static library
# that links only the folders below it. Its headers are reached as "folder/name.h" through a
# directory of links of its own (build/layers/TARGET/folder/name.h), which it hands on to the
# targets that link it: a file sees the headers of its own target and of the targets below,
# and an include that runs back up does not compile.

# qorvana_layer(TARGET [BELOW target...] [LIBRARIES ...]): makes the headers TARGET lists from
# the current folder visible as "folder/name.h" to TARGET and to whatever links it, and links
# the targets BELOW (publicly) and the outside LIBRARIES (privately).
function(qorvana_layer target)
    cmake_parse_arguments(arg "" "" "BELOW;LIBRARIES" ${ARGN})
    file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    set(root ${PROJECT_BINARY_DIR}/layers/${target})
    # Links of headers since moved elsewhere must not stay visible.
    file(REMOVE_RECURSE ${root}/${folder})
    file(MAKE_DIRECTORY ${root}/${folder})
    get_target_property(sources ${target} SOURCES)
    foreach(source ${sources})
        cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
        cmake_path(GET source PARENT_PATH parent)
        if(source MATCHES "\\.h$" AND parent STREQUAL CMAKE_CURRENT_SOURCE_DIR)
            cmake_path(GET source FILENAME name)
            file(CREATE_LINK ${source} ${root}/${folder}/${name} SYMBOLIC)
        endif()
    endforeach()
    target_include_directories(${target} PUBLIC ${root})
    target_link_libraries(${target} PUBLIC ${arg_BELOW} PRIVATE ${arg_LIBRARIES})
    # Core code has no Qt: nothing for moc to do.
    set_target_properties(${target} PROPERTIES AUTOMOC OFF)
endfunction()
