# The framework over Win32: application, windows and message maps, document/view, frames.
list(APPEND SKIFF_FRAMEWORK_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/cmd_target.cpp
    ${CMAKE_CURRENT_LIST_DIR}/cmd_ui.cpp
    ${CMAKE_CURRENT_LIST_DIR}/control_bar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/data_exchange.cpp
    ${CMAKE_CURRENT_LIST_DIR}/doc_template.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/document.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dpi.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dpi_font.cpp
    ${CMAKE_CURRENT_LIST_DIR}/edit_view.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frame_wnd.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frame_wnd_bars.cpp
    ${CMAKE_CURRENT_LIST_DIR}/menu_cmd_ui.cpp
    ${CMAKE_CURRENT_LIST_DIR}/message_box.cpp
    ${CMAKE_CURRENT_LIST_DIR}/resource_string.cpp
    ${CMAKE_CURRENT_LIST_DIR}/socket_init.cpp
    ${CMAKE_CURRENT_LIST_DIR}/splitter_wnd.cpp
    ${CMAKE_CURRENT_LIST_DIR}/status_bar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tool_bar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/view.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win_app.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win_app_profile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/wnd.cpp
)
# List view, image lists, popup menus, drawing and folder listings, for the application list.
list(APPEND SKIFF_FRAMEWORK_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/dc.cpp
    ${CMAKE_CURRENT_LIST_DIR}/file_find.cpp
    ${CMAKE_CURRENT_LIST_DIR}/image_list.cpp
    ${CMAKE_CURRENT_LIST_DIR}/list_view.cpp
    ${CMAKE_CURRENT_LIST_DIR}/menu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/wait_cursor.cpp
    ${CMAKE_CURRENT_LIST_DIR}/wide_path.cpp
)
# Dialog controls: static controls, tooltips, fonts (data exchange is listed above).
list(APPEND SKIFF_FRAMEWORK_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/font.cpp
    ${CMAKE_CURRENT_LIST_DIR}/static.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tool_tip_ctrl.cpp
)
