# Application shell: the application object and the main frame. app/main.cpp (the global
# application object) goes into the executable only, so the win tests can make their own.
if(WIN32)
    list(APPEND SKIFF_PROGRAM_SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/chat_app.cpp
        ${CMAKE_CURRENT_LIST_DIR}/main_frame.cpp
    )
endif()
