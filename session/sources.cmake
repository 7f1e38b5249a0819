# Session files. Portable ones join the core library.
list(APPEND SKIFF_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/msg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/msg_reader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/request_framing.cpp
    ${CMAKE_CURRENT_LIST_DIR}/reply.cpp
    ${CMAKE_CURRENT_LIST_DIR}/command_line.cpp
)
# The session document, its socket and the settings record: program classes over the framework.
if(WIN32)
    list(APPEND SKIFF_PROGRAM_SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/chat_doc.cpp
        ${CMAKE_CURRENT_LIST_DIR}/chat_doc_close.cpp
        ${CMAKE_CURRENT_LIST_DIR}/chat_doc_connect.cpp
        ${CMAKE_CURRENT_LIST_DIR}/chat_doc_transfer.cpp
        ${CMAKE_CURRENT_LIST_DIR}/chat_socket.cpp
        ${CMAKE_CURRENT_LIST_DIR}/chat_doc_reply.cpp
        ${CMAKE_CURRENT_LIST_DIR}/setup_dlg.cpp
    )
endif()
