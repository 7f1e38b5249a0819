; The Skiffdesk installer. By default one user's install, no administrator rights, into the
; user's own programs folder. For all users (/ALLUSERS, or the choice on the first page) it asks
; for administrator rights, installs under Program Files with a Start menu entry for everyone,
; and, when the package is signed, lets the machine trust its publisher's connection files.
; makensis gets from make_packages.sh:
;   VERSION   the program's version, four numbers
;   STAGE     the staged files: skiffdesk.exe and the apps folder
;   LISTS     apps_install.nsh and apps_uninstall.nsh, the apps folder's files one by one
;   OUTFILE   the installer to write
;   SIZE_KB   the installed size, for the Apps & features list
;   ICON      the program's icon, for the installer and the uninstaller too
; and, for a signed package:
;   SIGN_EXE    the script that signs a written installer or uninstaller in place
;   PUBLISHER   the signing certificate's SHA-1 thumbprint, 40 hex digits
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!define PRODUCT "Skiffdesk"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Skiffdesk"
!define SHORTCUT "$SMPROGRAMS\Skiffdesk.lnk"
; The remote desktop client opens a connection file without warnings when its signer's
; thumbprint is in this list (comma-separated). Only ever extended with our own publisher.
!define POLICY_KEY "SOFTWARE\Policies\Microsoft\Windows NT\Terminal Services"
!define POLICY_VALUE "TrustedCertThumbprints"
; In the all-users uninstall entry: the thumbprint this install added to the list, if it did.
!define ADDED_VALUE "AddedTrustedCertThumbprint"

!include LogicLib.nsh
!include FileFunc.nsh
!include nsDialogs.nsh
!include "${__FILEDIR__}/all_users.nsh"

!ifdef SIGN_EXE
    !finalize 'bash "${SIGN_EXE}" "%1"' = 0
    !uninstfinalize 'bash "${SIGN_EXE}" "%1"' = 0
!endif

Name "${PRODUCT}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; A new version goes where the last one went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PRODUCT}"

Page custom ChooseMode ChooseModeLeave
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
    StrCpy $AllUsers 0
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/ALLUSERS" $1
    ${IfNot} ${Errors}
        Call RunAsAdmin
        Call UseAllUsers
    ${EndIf}
FunctionEnd

; The uninstaller of an all-users install is the one whose folder the machine's entry names.
Function un.onInit
    StrCpy $AllUsers 0
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == $INSTDIR
        StrCpy $AllUsers 1
        Call un.RunAsAdmin
        SetShellVarContext all
    ${EndIf}
FunctionEnd

; SHCTX below is HKEY_CURRENT_USER for one user and HKEY_LOCAL_MACHINE for all users.
Section "Install"
    SetOutPath "$INSTDIR"
    File "${STAGE}/skiffdesk.exe"
    !include "${LISTS}/apps_install.nsh"
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "${SHORTCUT}" "$INSTDIR\skiffdesk.exe" "" "$INSTDIR\skiffdesk.exe" 0

    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\skiffdesk.exe"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
!ifdef PUBLISHER
    ${If} $AllUsers == 1
        Call TrustPublisher
    ${EndIf}
!endif
SectionEnd

; Only what the installer put there goes: files the user added to the folder keep it, and the
; user's settings and documents are never touched.
Section "Uninstall"
    Delete "${SHORTCUT}"
    !include "${LISTS}/apps_uninstall.nsh"
    Delete "$INSTDIR\skiffdesk.exe"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    ${If} $AllUsers == 1
        Call un.DistrustPublisher
    ${EndIf}
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
