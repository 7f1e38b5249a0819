# Application shell: the application object and the main frame. app/main.cpp (the global
# application object) goes into the executable only, so the win tests can make their own.
if(WIN32)
    list(APPEND SKIFF_PROGRAM_SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/chat_app.cpp
        ${CMAKE_CURRENT_LIST_DIR}/main_frame.cpp
    )
endif()

# The shared-folder drive and the About box: the rules are portable, the rest is Win32.
list(APPEND SKIFF_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/drive_label_rules.cpp
    ${CMAKE_CURRENT_LIST_DIR}/link_rules.cpp
    ${CMAKE_CURRENT_LIST_DIR}/shared_folder_rules.cpp
)
if(WIN32)
    list(APPEND SKIFF_PROGRAM_SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/about_dlg.cpp
        ${CMAKE_CURRENT_LIST_DIR}/link_label.cpp
        ${CMAKE_CURRENT_LIST_DIR}/main_frame_shared_folder.cpp
    )
endif()
