; Vantrel's Windows installer: one user's install, without administrator
; rights, into %LOCALAPPDATA%\Programs\Vantrel, with a Start-menu shortcut and
; an uninstaller that Windows lists under Apps. The build passes:
;   PROGRAM  the Vantrel.exe to install
;   VERSION  the program's version (x.y.z)
;   OUTFILE  the installer to write
;   NAMES    a script defining NAME, the program's name in the Start menu and
;            the list of apps (the MSI package's too), and DESCRIPTION, the
;            window's title
;   ICON     the program's icon, for the installer and uninstaller (optional)
;   SIGN     a command that signs the file it is given (optional): the
;            uninstaller is signed before it is packed, the installer last
; makensis -INPUTCHARSET UTF8 reads this file.

Unicode true
; 64-bit stubs: a 64-bit-only Windows (or Wine) cannot run 32-bit installers.
Target amd64-unicode
SetCompressor /SOLID lzma

!include FileFunc.nsh
!include LogicLib.nsh
!include WinVer.nsh
!include Win\WinNT.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel"
!define PUBLISHER "Vantrel developers"
!include "${NAMES}"

Name "${NAME}"
Caption "${DESCRIPTION} ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Vantrel"
!ifdef ICON
Icon "${ICON}"
UninstallIcon "${ICON}"
!endif
!ifdef SIGN
!uninstfinalize '"${SIGN}" "%1"'
!finalize '"${SIGN}" "%1"'
!endif
; The window is in Russian whatever the desktop's language; so is its installer.
LoadLanguageFile "${NSISDIR}\Contrib\Language files\Russian.nlf"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_RUSSIAN} ProductName "${NAME}"
VIAddVersionKey /LANG=${LANG_RUSSIAN} FileDescription "Установка ${NAME}"
VIAddVersionKey /LANG=${LANG_RUSSIAN} CompanyName "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_RUSSIAN} FileVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_RUSSIAN} ProductVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_RUSSIAN} LegalCopyright "${PUBLISHER}"

; A file that cannot be written fails the install (Retry or Cancel; silently,
; a non-zero exit) instead of being skipped with the install reported done.
AllowSkipFiles off

; Vantrel.exe holds a mutex of this name while it runs in the user's session
; (kRunningMutexName in ui/win32/app_identity.cpp and in msi_actions.cpp, which
; the MSI package checks: the three must match).
!define RUNNING_MUTEX "Local\org.vantrel.Vantrel"
!define ERROR_ACCESS_DENIED 5

; Returns once no Vantrel runs in this session. While one does, Windows would
; keep its files from being replaced or removed, so the user is asked to close
; it and try again, or to cancel; a silent run gives up at once. Giving up
; aborts before anything is changed, and the process exits with status 2. The
; prompt names no button: their captions are in the system's language.
!macro DEFINE_WAIT_FOR_VANTREL un prompt stopped
Function ${un}WaitForVantrelToClose
    Push $0
    Push $1
    ${Do}
        ; ?e: the call's last error, on the stack.
        System::Call 'kernel32::OpenMutexW(i ${SYNCHRONIZE}, i 0, w "${RUNNING_MUTEX}") p.r0 ?e'
        Pop $1
        ; Refused (ERROR_ACCESS_DENIED), the mark is there all the same: a
        ; Vantrel made it with rights this installer lacks (an older
        ; Vantrel run as administrator, say).
        ${If} $0 P= 0
        ${AndIf} $1 <> ${ERROR_ACCESS_DENIED}
            ${Break}
        ${EndIf}
        ${If} $0 P<> 0
            System::Call 'kernel32::CloseHandle(p r0)'
        ${EndIf}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${prompt}" /SD IDCANCEL IDRETRY retry
        SetErrorLevel 2
        Abort "${stopped}"
      retry:
    ${Loop}
    Pop $1
    Pop $0
FunctionEnd
!macroend
!insertmacro DEFINE_WAIT_FOR_VANTREL "" \
    "Вантрел сейчас запущен, и его нельзя заменить. Закройте Вантрел и повторите попытку или отмените установку." \
    "Установка прервана: Вантрел запущен."
!insertmacro DEFINE_WAIT_FOR_VANTREL "un." \
    "Вантрел сейчас запущен, и его нельзя удалить. Закройте Вантрел и повторите попытку или отмените удаление." \
    "Удаление прервано: Вантрел запущен."

Function .onInit
    ; Build 7601 is Windows 7 with Service Pack 1, the oldest Windows the
    ; program runs on.
    ${IfNot} ${AtLeastWin7}
    ${OrIfNot} ${AtLeastBuild} 7601
        MessageBox MB_OK|MB_ICONSTOP "Вантрел работает на Windows 7 с пакетом обновления 1 (SP1) и более новых версиях Windows. На этом компьютере его установить нельзя." /SD IDOK
        SetErrorLevel 2
        Abort
    ${EndIf}
    Call WaitForVantrelToClose
FunctionEnd

Function un.onInit
    Call un.WaitForVantrelToClose
FunctionEnd

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section
    ; The directory page may have waited long enough for Vantrel to start.
    Call WaitForVantrelToClose
    ; Shortcuts and the uninstall entry belong to this user alone.
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    File "/oname=Vantrel.exe" "${PROGRAM}"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    ; Versions up to 1.0.0 named the shortcut Vantrel.
    Delete "$SMPROGRAMS\Vantrel.lnk"
    CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\Vantrel.exe" "" "$INSTDIR\Vantrel.exe" 0 \
        SW_SHOWNORMAL "" "${DESCRIPTION}"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Vantrel.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Deletes a file of the install. One that stays (in use by another program,
; say) stops the uninstall: the uninstaller and its entry in the list of apps
; stay with it, so that the user can close that program and uninstall again.
!macro DELETE_OR_STOP file
    ClearErrors
    Delete "${file}"
    ${If} ${Errors}
        MessageBox MB_OK|MB_ICONSTOP "Не удалось удалить ${file}: файл занят другой программой или недоступен. Закройте эту программу и удалите Вантрел снова." /SD IDOK
        SetErrorLevel 2
        Abort "Удаление прервано: не удалось удалить ${file}."
    ${EndIf}
!macroend

Section Uninstall
    ; The confirmation page may have waited long enough for Vantrel to start.
    Call un.WaitForVantrelToClose
    SetShellVarContext current
    ; The program first, the uninstaller last, and only then what leads to
    ; them: whatever step fails, the user can still find and run the
    ; uninstaller again.
    !insertmacro DELETE_OR_STOP "$INSTDIR\Vantrel.exe"
    ; Run in place (_?=), the uninstaller runs from this very file, which
    ; Windows keeps while it runs; whoever ran it so deletes it afterwards.
    ${If} $EXEDIR != $INSTDIR
        !insertmacro DELETE_OR_STOP "$INSTDIR\Uninstall.exe"
    ${EndIf}
    Delete "$SMPROGRAMS\${NAME}.lnk"
    ; Only an empty folder goes: anything the user put there stays.
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
