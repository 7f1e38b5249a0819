# Sockets over Winsock and the socket byte stream for archives.
list(APPEND SKIFF_FRAMEWORK_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/async_socket.cpp
    ${CMAKE_CURRENT_LIST_DIR}/socket.cpp
    ${CMAKE_CURRENT_LIST_DIR}/socket_file.cpp
)
