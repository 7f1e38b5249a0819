# Text pane and resources. Portable ones join the core library.
list(APPEND SKIFF_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/time_stamp.cpp
)
