# Account registration: the input rules are portable and serve the dialog and the server.
list(APPEND SKIFF_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/registration_rules.cpp
    ${CMAKE_CURRENT_LIST_DIR}/signup_checks.cpp
)
# The sign-up dialog, the exchange and the stored account: program classes over the framework.
if(WIN32)
    list(APPEND SKIFF_PROGRAM_SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/account_settings.cpp
        ${CMAKE_CURRENT_LIST_DIR}/chat_doc_register.cpp
        ${CMAKE_CURRENT_LIST_DIR}/password_protection.cpp
        ${CMAKE_CURRENT_LIST_DIR}/register_dlg.cpp
    )
endif()
