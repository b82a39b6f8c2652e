# Keeps widgets out of the engine: the core library sees poisoned copies of every
# Qt Gui and Qt Widgets header, so including one of them fails to compile.

set(ISOMINT_POISON_DIR "${CMAKE_BINARY_DIR}/poison")
foreach(module Gui Widgets)
    get_target_property(module_includes Qt6::${module} INTERFACE_INCLUDE_DIRECTORIES)
    foreach(dir IN LISTS module_includes)
        if(dir MATCHES "/Qt${module}$")
            file(GLOB headers RELATIVE "${dir}" "${dir}/*")
            foreach(header IN LISTS headers)
                if(NOT IS_DIRECTORY "${dir}/${header}")
                    file(WRITE "${ISOMINT_POISON_DIR}/Qt${module}/${header}"
                         "#error \"The core library must not use Qt ${module}\"\n")
                endif()
            endforeach()
        endif()
    endforeach()
endforeach()

# Applies the core rules to a target: Qt Core only, poisoned Gui and Widgets headers first.
function(isomint_core_rules target)
    target_include_directories(${target} BEFORE PRIVATE "${ISOMINT_POISON_DIR}")
    target_link_libraries(${target} PUBLIC Qt6::Core)
endfunction()
