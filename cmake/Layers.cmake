# divisheet_add_layer(NAME FOLDER [DEPENDS lower-layer…] SOURCES …)
#
# Makes the static library NAME from FOLDER's sources. Its users include its headers as
# "FOLDER/Header.h" through an include folder of the build tree that holds FOLDER alone,
# so a layer reaches the headers of the layers it depends on and no others.
include_guard(GLOBAL)

function(divisheet_add_layer name folder)
    cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "DEPENDS;SOURCES")
    set(include_root "${PROJECT_BINARY_DIR}/layers/${folder}")
    file(MAKE_DIRECTORY "${include_root}")
    if(NOT EXISTS "${include_root}/${folder}")
        file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${folder}" "${include_root}/${folder}" SYMBOLIC)
    endif()

    add_library(${name} STATIC ${arg_SOURCES})
    target_include_directories(${name} PUBLIC "$<BUILD_INTERFACE:${include_root}>")
    target_compile_features(${name} PUBLIC cxx_std_20)
    target_link_libraries(${name} PUBLIC ${arg_DEPENDS} Qt6::Widgets Qt6::PrintSupport)
    target_compile_definitions(${name} PUBLIC QT_NO_CONTEXTLESS_CONNECT QT_NO_CAST_FROM_ASCII)
    target_compile_options(${name} PUBLIC
        $<$<CXX_COMPILER_ID:GNU,Clang>:-Wall -Wextra>
        $<$<AND:$<BOOL:${DIVISHEET_WERROR}>,$<CXX_COMPILER_ID:GNU,Clang>>:-Werror>)
    if(DIVISHEET_SANITIZE)
        target_compile_options(${name} PUBLIC
            -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
        target_link_options(${name} PUBLIC -fsanitize=address,undefined)
    endif()
endfunction()
