# Text pane and resources. Portable ones join the core library.
list(APPEND SKIFF_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/time_stamp.cpp
)
# String 32100 names the deployment's web address: the resource compiler reads it from a
# header generated with this build's settings.
configure_file(${CMAKE_CURRENT_LIST_DIR}/deployment_strings.h.in
               ${CMAKE_BINARY_DIR}/generated/deployment_strings.h @ONLY)
# The text pane: a program class over the framework.
if(WIN32)
    list(APPEND SKIFF_PROGRAM_SOURCES ${CMAKE_CURRENT_LIST_DIR}/send_view.cpp)
endif()
