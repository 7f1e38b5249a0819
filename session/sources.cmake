# Session files. Portable ones join the core library.
list(APPEND SKIFF_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/msg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/request_framing.cpp
    ${CMAKE_CURRENT_LIST_DIR}/reply.cpp
    ${CMAKE_CURRENT_LIST_DIR}/command_line.cpp
)
