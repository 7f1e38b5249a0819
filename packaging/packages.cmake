# The installer and the portable zip, built with the program (makensis and zip are needed; a
# tree without them builds the program alone). Both carry the project's version.
set(SKIFFDESK_APPS_DIR ${CMAKE_SOURCE_DIR}/packaging/demo-apps
    CACHE PATH "The connection files the packages put in the apps folder")
find_program(SKIFF_MAKENSIS makensis)
find_program(SKIFF_ZIP zip)
find_program(SKIFF_BASH bash)
if(SKIFF_MAKENSIS AND SKIFF_ZIP AND SKIFF_BASH)
    file(GLOB_RECURSE packaged_apps CONFIGURE_DEPENDS ${SKIFFDESK_APPS_DIR}/*)
    set(SKIFF_PACKAGE_DIR ${CMAKE_BINARY_DIR}/package)
    set(SKIFF_INSTALLER ${SKIFF_PACKAGE_DIR}/skiffdesk-${PROJECT_VERSION}-setup.exe)
    set(SKIFF_PORTABLE_ZIP ${SKIFF_PACKAGE_DIR}/skiffdesk-${PROJECT_VERSION}-portable.zip)
    add_custom_command(OUTPUT ${SKIFF_INSTALLER} ${SKIFF_PORTABLE_ZIP}
        COMMAND ${SKIFF_BASH} ${CMAKE_CURRENT_LIST_DIR}/make_packages.sh
            $<TARGET_FILE:skiffdesk> ${SKIFFDESK_APPS_DIR} ${PROJECT_VERSION} ${SKIFF_PACKAGE_DIR}
        DEPENDS skiffdesk ${packaged_apps}
            ${CMAKE_CURRENT_LIST_DIR}/make_packages.sh
            ${CMAKE_CURRENT_LIST_DIR}/skiffdesk.nsi
            ${CMAKE_CURRENT_LIST_DIR}/all_users.nsh
            ${CMAKE_CURRENT_LIST_DIR}/sign_exe.sh
            ${CMAKE_CURRENT_LIST_DIR}/sign_rdp.sh
            ${CMAKE_CURRENT_LIST_DIR}/rdp_file.sh
            ${CMAKE_CURRENT_LIST_DIR}/README.txt.in
            ${CMAKE_SOURCE_DIR}/ui/skiffdesk.ico
        COMMENT "Packaging Skiffdesk ${PROJECT_VERSION}"
        VERBATIM)
    add_custom_target(skiffdesk_packages ALL DEPENDS ${SKIFF_INSTALLER} ${SKIFF_PORTABLE_ZIP})
else()
    message(STATUS "makensis or zip not found: no installer, no zip")
endif()
