; Vantrel's Windows installer: one user's install, without administrator
; rights, into %LOCALAPPDATA%\Programs\Vantrel, with a Start-menu shortcut and
; an uninstaller that Windows lists under Apps. The build passes:
;   PROGRAM  the Vantrel.exe to install
;   VERSION  the program's version (x.y.z)
;   OUTFILE  the installer to write
;   ICON     the program's icon, for the installer and uninstaller (optional)
; makensis -INPUTCHARSET UTF8 reads this file.

Unicode true
; 64-bit stubs: a 64-bit-only Windows (or Wine) cannot run 32-bit installers.
Target amd64-unicode
SetCompressor /SOLID lzma

!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel"
!define PUBLISHER "Vantrel developers"

Name "Vantrel"
Caption "Вантрел едениц измерения ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Vantrel"
!ifdef ICON
Icon "${ICON}"
UninstallIcon "${ICON}"
!endif
; The window is in Russian whatever the desktop's language; so is its installer.
LoadLanguageFile "${NSISDIR}\Contrib\Language files\Russian.nlf"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_RUSSIAN} ProductName "Vantrel"
VIAddVersionKey /LANG=${LANG_RUSSIAN} FileDescription "Установка Вантрел"
VIAddVersionKey /LANG=${LANG_RUSSIAN} CompanyName "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_RUSSIAN} FileVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_RUSSIAN} ProductVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_RUSSIAN} LegalCopyright "${PUBLISHER}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section
    ; Shortcuts and the uninstall entry belong to this user alone.
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    File "/oname=Vantrel.exe" "${PROGRAM}"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Vantrel.lnk" "$INSTDIR\Vantrel.exe" "" "$INSTDIR\Vantrel.exe" 0 \
        SW_SHOWNORMAL "" "Вантрел едениц измерения"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Vantrel"
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

Section Uninstall
    SetShellVarContext current
    Delete "$SMPROGRAMS\Vantrel.lnk"
    Delete "$INSTDIR\Vantrel.exe"
    Delete "$INSTDIR\Uninstall.exe"
    ; Only an empty folder goes: anything the user put there stays.
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
