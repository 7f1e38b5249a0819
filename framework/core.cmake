# Portable framework pieces: archive, byte streams, errors, text conversion.
list(APPEND SKIFF_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/archive.cpp
    ${CMAKE_CURRENT_LIST_DIR}/exceptions.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mem_file.cpp
)
if(WIN32)
    list(APPEND SKIFF_CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/text_convert_win.cpp)
else()
    list(APPEND SKIFF_CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/text_convert_portable.cpp)
endif()
