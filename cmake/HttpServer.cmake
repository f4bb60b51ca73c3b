# Qt's HTTP server library as the target Qt6::HttpServer.
#
# Debian 12's qt6-httpserver-dev ships a CMake package that asks for the CMake files of Qt
# WebSockets (qt6-websockets-dev), although the server's headers use nothing of it unless
# QT_WEBSOCKETS_LIB is defined, and the library finds its WebSockets library at run time by
# itself. Where those files are missing, the library is imported here by hand.
include_guard(GLOBAL)

find_package(Qt6WebSockets QUIET PATHS "${Qt6_DIR}/.." NO_DEFAULT_PATH)
if(Qt6WebSockets_FOUND)
    find_package(Qt6 REQUIRED COMPONENTS HttpServer)
else()
    get_target_property(_divisheet_qt_core_includes Qt6::Core INTERFACE_INCLUDE_DIRECTORIES)
    find_path(DIVISHEET_QT_HTTPSERVER_INCLUDE_DIR QtHttpServer/qhttpserver.h
              HINTS ${_divisheet_qt_core_includes} PATH_SUFFIXES .. REQUIRED)
    find_library(DIVISHEET_QT_HTTPSERVER_LIBRARY Qt6HttpServer REQUIRED)
    add_library(Qt6::HttpServer SHARED IMPORTED)
    set_target_properties(Qt6::HttpServer PROPERTIES
        IMPORTED_LOCATION "${DIVISHEET_QT_HTTPSERVER_LIBRARY}"
        INTERFACE_INCLUDE_DIRECTORIES
            "${DIVISHEET_QT_HTTPSERVER_INCLUDE_DIR};${DIVISHEET_QT_HTTPSERVER_INCLUDE_DIR}/QtHttpServer"
        INTERFACE_LINK_LIBRARIES Qt6::Network)
endif()
