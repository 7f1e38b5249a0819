# Remote application catalogue: the list view is a program class over the framework.
if(WIN32)
    list(APPEND SKIFF_PROGRAM_SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/chat_view.cpp
        ${CMAKE_CURRENT_LIST_DIR}/chat_view_signup.cpp
    )
endif()
