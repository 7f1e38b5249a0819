# The framework's files, by area; each area lists its own.
include(${CMAKE_CURRENT_LIST_DIR}/core.cmake OPTIONAL)     # portable: archive, byte streams, errors
include(${CMAKE_CURRENT_LIST_DIR}/win.cmake OPTIONAL)      # application, windows, document/view
include(${CMAKE_CURRENT_LIST_DIR}/sockets.cmake OPTIONAL)  # sockets and the socket stream
