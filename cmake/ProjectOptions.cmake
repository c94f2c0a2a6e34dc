# Warnings and sanitizers are INTERFACE targets linked PRIVATE by every target of the project.
add_library(tamrik_warnings INTERFACE)
add_library(tamrik::warnings ALIAS tamrik_warnings)
target_compile_options(tamrik_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align -Woverloaded-virtual
    -Wnull-dereference -Wimplicit-fallthrough
    $<$<BOOL:${TAMRIK_WARNINGS_AS_ERRORS}>:-Werror>)

add_library(tamrik_sanitizers INTERFACE)
add_library(tamrik::sanitizers ALIAS tamrik_sanitizers)
if(TAMRIK_SANITIZERS)
    target_compile_options(tamrik_sanitizers INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
        -fno-sanitize-recover=undefined)
    target_link_options(tamrik_sanitizers INTERFACE -fsanitize=address,undefined)
endif()

# Adds one library from the sources of the given folders (relative to src/), non-recursive.
function(tamrik_glob_sources out)
    set(files)
    foreach(dir IN LISTS ARGN)
        file(GLOB found CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/src/${dir}/*.cpp")
        list(APPEND files ${found})
    endforeach()
    set(${out} ${files} PARENT_SCOPE)
endfunction()
