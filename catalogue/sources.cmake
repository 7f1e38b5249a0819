# Remote application catalogue. The connection-file reader, the path rules and text fitting
# are portable and join the core library; the views and the folder walk are program classes.
list(APPEND SKIFF_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/app_filter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/app_icon_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/app_name.cpp
    ${CMAKE_CURRENT_LIST_DIR}/catalogue_rules.cpp
    ${CMAKE_CURRENT_LIST_DIR}/rdp_signature.cpp
    ${CMAKE_CURRENT_LIST_DIR}/remote_app_item.cpp
    ${CMAKE_CURRENT_LIST_DIR}/text_fit.cpp
)
if(WIN32)
    list(APPEND SKIFF_PROGRAM_SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/chat_view.cpp
        ${CMAKE_CURRENT_LIST_DIR}/chat_view_signup.cpp
        ${CMAKE_CURRENT_LIST_DIR}/chat_view_catalogue.cpp
        ${CMAKE_CURRENT_LIST_DIR}/chat_view_launch.cpp
        ${CMAKE_CURRENT_LIST_DIR}/connection_file_check.cpp
        ${CMAKE_CURRENT_LIST_DIR}/chat_view_keys.cpp
        ${CMAKE_CURRENT_LIST_DIR}/chat_view_find.cpp
        ${CMAKE_CURRENT_LIST_DIR}/chat_view_items.cpp
        ${CMAKE_CURRENT_LIST_DIR}/chat_view_icons.cpp
        ${CMAKE_CURRENT_LIST_DIR}/find_box.cpp
        ${CMAKE_CURRENT_LIST_DIR}/file_scanner.cpp
        ${CMAKE_CURRENT_LIST_DIR}/list_view_ex.cpp
    )
endif()
