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
    divisheet_strict(${name})
endfunction()

# The project's own strictness: warnings (as errors with DIVISHEET_WERROR) and Qt's checked
# string and connect rules. PRIVATE, so a project that links our libraries keeps its own.
function(divisheet_strict target)
    target_compile_definitions(${target} PRIVATE QT_NO_CONTEXTLESS_CONNECT QT_NO_CAST_FROM_ASCII)
    target_compile_options(${target} PRIVATE
        $<$<CXX_COMPILER_ID:GNU,Clang>:-Wall -Wextra>
        $<$<AND:$<BOOL:${DIVISHEET_WERROR}>,$<CXX_COMPILER_ID:GNU,Clang>>:-Werror>)
endfunction()
