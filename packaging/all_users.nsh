; The all-users mode of the installer and its uninstaller: the switch, the elevation it asks
; for, and the trusted-publisher list. Included by skiffdesk.nsi.

Var AllUsers ; 1: for every user of the machine

; Starts this program again with administrator rights for the all-users mode and ends this
; copy; does nothing when it already has them. A copy that was started that way and still has
; no rights says so instead of asking again.
!macro RUN_AS_ADMIN un
Function ${un}RunAsAdmin
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 == "Admin"
        Return
    ${EndIf}
    ${${un}GetParameters} $1
    ClearErrors
    ${${un}GetOptions} $1 "/ELEVATED" $2
    ${IfNot} ${Errors}
        MessageBox MB_OK|MB_ICONSTOP "Installing for all users needs administrator rights." /SD IDOK
        Quit
    ${EndIf}
    ; /D= must stay the last argument.
    ExecShell "runas" "$EXEPATH" "/ALLUSERS /ELEVATED $1"
    Quit
FunctionEnd
!macroend
!insertmacro RUN_AS_ADMIN ""
!insertmacro RUN_AS_ADMIN "un."

; The comma-separated list in $R0 without the entry $R1 (compared without regard to case,
; blanks and empty entries dropped): the rest in $R4, and in $R5 1 when $R1 was there, else 0.
!macro LIST_WITHOUT un
Function ${un}ListWithout
    StrCpy $R0 "$R0,"
    StrCpy $R2 ""
    StrCpy $R4 ""
    StrCpy $R5 0
    ${Do}
        StrCpy $R3 $R0 1
        ${IfThen} $R3 == "" ${|} ${ExitDo} ${|}
        StrCpy $R0 $R0 "" 1
        ${If} $R3 == ","
            ${If} $R2 == $R1
                StrCpy $R5 1
            ${ElseIf} $R2 != ""
                ${If} $R4 == ""
                    StrCpy $R4 $R2
                ${Else}
                    StrCpy $R4 "$R4,$R2"
                ${EndIf}
            ${EndIf}
            StrCpy $R2 ""
        ${ElseIf} $R3 != " "
            StrCpy $R2 "$R2$R3"
        ${EndIf}
    ${Loop}
FunctionEnd
!macroend
!ifdef PUBLISHER
    !insertmacro LIST_WITHOUT ""
!endif
!insertmacro LIST_WITHOUT "un."

; A list this long may be cut by the installer's string length: it is left alone.
!define LONGEST_POLICY_LIST 900

!ifdef PUBLISHER
; Adds the publisher to the machine's list unless it is there already; only an entry added
; here is noted for the uninstaller.
Function TrustPublisher
    ReadRegStr $R0 HKLM "${POLICY_KEY}" "${POLICY_VALUE}"
    StrLen $0 $R0
    ${If} $0 > ${LONGEST_POLICY_LIST}
        DetailPrint "The list of trusted publishers is too long to extend."
        Return
    ${EndIf}
    StrCpy $R1 "${PUBLISHER}"
    Call ListWithout
    ${If} $R5 == 1
        Return
    ${EndIf}
    ${If} $R4 == ""
        WriteRegStr HKLM "${POLICY_KEY}" "${POLICY_VALUE}" "${PUBLISHER}"
    ${Else}
        WriteRegStr HKLM "${POLICY_KEY}" "${POLICY_VALUE}" "$R4,${PUBLISHER}"
    ${EndIf}
    WriteRegStr HKLM "${UNINSTALL_KEY}" "${ADDED_VALUE}" "${PUBLISHER}"
FunctionEnd
!endif

; Takes out of the machine's list the entry this install added, and nothing else.
Function un.DistrustPublisher
    ReadRegStr $R1 HKLM "${UNINSTALL_KEY}" "${ADDED_VALUE}"
    ${IfThen} $R1 == "" ${|} Return ${|}
    ReadRegStr $R0 HKLM "${POLICY_KEY}" "${POLICY_VALUE}"
    StrLen $0 $R0
    ${IfThen} $0 > ${LONGEST_POLICY_LIST} ${|} Return ${|}
    Call un.ListWithout
    ${IfThen} $R5 != 1 ${|} Return ${|}
    ${If} $R4 == ""
        DeleteRegValue HKLM "${POLICY_KEY}" "${POLICY_VALUE}"
    ${Else}
        WriteRegStr HKLM "${POLICY_KEY}" "${POLICY_VALUE}" $R4
    ${EndIf}
FunctionEnd

; The first page: for whom to install. Skipped when the command line chose all users.
Var ModeForMe
Function ChooseMode
    ${IfThen} $AllUsers == 1 ${|} Abort ${|}
    nsDialogs::Create 1018
    Pop $0
    ${NSD_CreateLabel} 0 0 100% 24u "Install ${PRODUCT} for:"
    Pop $0
    ${NSD_CreateRadioButton} 10u 30u 100% 12u "&Me only (no administrator rights needed)"
    Pop $ModeForMe
    ${NSD_Check} $ModeForMe
    ${NSD_CreateRadioButton} 10u 46u 100% 12u "&All users of this computer (asks for administrator rights)"
    Pop $0
!ifdef PUBLISHER
    ${NSD_CreateLabel} 10u 62u 100% 36u "For all users, the applications' connection files open in the remote desktop client without a security warning, with drive Z: as your service set them up."
    Pop $0
!endif
    nsDialogs::Show
FunctionEnd

Function ChooseModeLeave
    ${NSD_GetState} $ModeForMe $0
    ${If} $0 != ${BST_CHECKED}
        Call RunAsAdmin
        Call UseAllUsers
    ${EndIf}
FunctionEnd

; The folder and the shell's folders for every user; a folder given with /D= stays.
Function UseAllUsers
    StrCpy $AllUsers 1
    ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $INSTDIR == "$LOCALAPPDATA\Programs\${PRODUCT}"
    ${OrIf} $INSTDIR == $1
        ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
        ${If} $0 != ""
            StrCpy $INSTDIR $0
        ${Else}
            StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
        ${EndIf}
    ${EndIf}
    SetShellVarContext all
FunctionEnd
