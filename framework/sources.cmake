# The framework's files, by area; each area lists its own.
include(${CMAKE_CURRENT_LIST_DIR}/core.cmake)  # portable: archive, byte streams, errors
include(${CMAKE_CURRENT_LIST_DIR}/win.cmake)   # application, windows, document/view
include(${CMAKE_CURRENT_LIST_DIR}/sockets.cmake)  # sockets and the socket stream
