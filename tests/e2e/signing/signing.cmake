# What the signed-file tests use, made by the build from throwaway certificates: signed
# connection files, a program that pins the test publisher, and a signed package.
set(SKIFF_SIGNING_DIR ${CMAKE_CURRENT_BINARY_DIR}/signing)
set(SKIFF_SIGNING_FIXTURES
    ${SKIFF_SIGNING_DIR}/alpha.rdp ${SKIFF_SIGNING_DIR}/beta.rdp
    ${SKIFF_SIGNING_DIR}/publisher.pem ${SKIFF_SIGNING_DIR}/publisher.pfx
    ${SKIFF_SIGNING_DIR}/publisher.sha1 ${SKIFF_SIGNING_DIR}/pinned/rdp_publisher.h)
add_custom_command(OUTPUT ${SKIFF_SIGNING_FIXTURES}
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/make_signed_fixtures.sh ${SKIFF_SIGNING_DIR} ${CMAKE_SOURCE_DIR}
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/make_signed_fixtures.sh
        ${CMAKE_SOURCE_DIR}/tests/support/make_test_certs.sh
        ${CMAKE_SOURCE_DIR}/packaging/sign_rdp.sh ${CMAKE_SOURCE_DIR}/packaging/rdp_file.sh
        ${CMAKE_SOURCE_DIR}/cmake/rdp_publisher.h.in
    COMMENT "Throwaway certificates and signed connection files for the tests"
    VERBATIM)
# Only this target runs the command; the others wait for it (two targets running one command
# of a Makefile build may run it twice at once).
add_custom_target(skiffsigningfixtures DEPENDS ${SKIFF_SIGNING_FIXTURES})

# The program with the test publisher pinned: its own pin object comes before the library's.
add_executable(skiffdesk_pinned WIN32 ${CMAKE_SOURCE_DIR}/app/main.cpp
    ${CMAKE_SOURCE_DIR}/ui/skiffdesk.rc ${CMAKE_SOURCE_DIR}/catalogue/rdp_publisher_pin.cpp)
add_dependencies(skiffdesk_pinned skiffsigningfixtures)
target_include_directories(skiffdesk_pinned BEFORE PRIVATE ${SKIFF_SIGNING_DIR}/pinned)
target_link_libraries(skiffdesk_pinned PRIVATE skiffprogram)
set_target_properties(skiffdesk_pinned PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${SKIFF_SIGNING_DIR})
skiff_warnings(skiffdesk_pinned)

skiff_wine_path(signing_dir ${SKIFF_SIGNING_DIR})
set(SKIFF_SIGNING_DEFINITIONS SKIFF_E2E_SIGNING="${signing_dir}")

# The package signed with the test publisher: its installer for the all-users test, and its
# program, installer and connection files checked with the tools an operator would use.
if(TARGET skiffdesk_packages)
    set(SKIFF_SIGNED_PACKAGE_DIR ${SKIFF_SIGNING_DIR}/package)
    set(SKIFF_SIGNED_INSTALLER ${SKIFF_SIGNED_PACKAGE_DIR}/skiffdesk-${PROJECT_VERSION}-setup.exe)
    file(GLOB packaging_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/packaging/*.sh
        ${CMAKE_SOURCE_DIR}/packaging/*.nsi ${CMAKE_SOURCE_DIR}/packaging/*.nsh)
    add_custom_command(OUTPUT ${SKIFF_SIGNED_INSTALLER}
        COMMAND ${CMAKE_COMMAND} -E env SKIFFDESK_SIGN_PFX=${SKIFF_SIGNING_DIR}/publisher.pfx
            SKIFFDESK_SIGN_PASSWORD=throwaway
            bash ${CMAKE_SOURCE_DIR}/packaging/make_packages.sh $<TARGET_FILE:skiffdesk>
            ${SKIFFDESK_APPS_DIR} ${PROJECT_VERSION} ${SKIFF_SIGNED_PACKAGE_DIR}
        DEPENDS skiffdesk ${packaging_files} ${CMAKE_CURRENT_LIST_DIR}/make_signed_fixtures.sh
            ${CMAKE_SOURCE_DIR}/tests/support/make_test_certs.sh
        COMMENT "Packaging Skiffdesk signed with the test publisher"
        VERBATIM)
    add_custom_target(skiffsignedpackage DEPENDS ${SKIFF_SIGNED_INSTALLER})
    add_dependencies(skiffsignedpackage skiffsigningfixtures)
    skiff_wine_path(signed_installer ${SKIFF_SIGNED_INSTALLER})
    list(APPEND SKIFF_SIGNING_DEFINITIONS SKIFF_E2E_SIGNED_INSTALLER="${signed_installer}")

    add_test(NAME SignedPackage.ProgramInstallerAndConnectionFilesVerify
        COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/signed_package_test.sh ${CMAKE_SOURCE_DIR}
            ${SKIFF_SIGNED_PACKAGE_DIR} ${SKIFF_SIGNING_DIR}/publisher.pem)
    set_tests_properties(SignedPackage.ProgramInstallerAndConnectionFilesVerify PROPERTIES LABELS e2e)
endif()
