# Fails when a C++ source of the project differs from what clang-format makes of it.
set(folders core customers articles document sources posting journal print fatturapa forms app
            tools tests bench fuzz)
set(sources "")
foreach(folder IN LISTS folders)
    file(GLOB_RECURSE found "${SOURCE_DIR}/${folder}/*.cpp" "${SOURCE_DIR}/${folder}/*.h")
    list(APPEND sources ${found})
endforeach()
if(sources)
    execute_process(COMMAND ${CLANG_FORMAT} --dry-run -Werror ${sources}
                    RESULT_VARIABLE result ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "Formatting differs from .clang-format (run clang-format -i):\n${output}")
    endif()
endif()
