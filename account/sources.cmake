# Account registration: the input rules are portable and serve the dialog and the server.
list(APPEND SKIFF_CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/registration_rules.cpp)
