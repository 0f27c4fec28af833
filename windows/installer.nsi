; The Windows installer of Gulpkin, built by Debian's makensis:
;   makensis -DVERSION=1.1 -DSTAGE=folder -DOUTFILE=setup.exe -DICON=gulpkin.ico
;            -DLISTS=folder-of-install_files.nsh installer.nsi
; Installs the staged portable folder into Program Files with a Start-menu
; entry and an uninstaller. The uninstaller deletes the files the installer
; wrote, one by one, and the folders only when they are empty: the player's
; best score, settings and screenshots live in %APPDATA%\gulpkin and stay.
; /S installs or uninstalls silently. The installer is a 64-bit program like
; the game it installs. Its licence page shows the game's own terms
; (LICENSE.txt); the libraries' notices are installed in licenses\. The
; finish page starts the game through Explorer, so that it runs as the
; player and not with the installer's administrator rights (its files would
; land in the administrator's %APPDATA%). The project has no web page of its
; own, so the Uninstall key names none.
Target amd64-unicode
!include "MUI2.nsh"

Name "Gulpkin ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Gulpkin"
InstallDirRegKey HKLM "Software\Gulpkin" "InstallDir"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ManifestDPIAware true
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "Gulpkin"
VIAddVersionKey /LANG=1033 "FileDescription" "Gulpkin ${VERSION} installer"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "2026 The Gulpkin developers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!include "${LISTS}/staged_size.nsh"

!define MUI_LICENSEPAGE_TEXT_BOTTOM "The notices of the libraries built into the game are installed in its licenses folder."
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Play Gulpkin"
!define MUI_FINISHPAGE_RUN_FUNCTION RunAsThePlayer
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Gulpkin"

Function .onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

; Explorer, already running as the player, starts the game for the
; installer, which runs as administrator.
Function RunAsThePlayer
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\gulpkin.exe"'
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "Gulpkin"
  !include "${LISTS}/install_files.nsh"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\Gulpkin.lnk" "$INSTDIR\gulpkin.exe" "" "$INSTDIR\gulpkin.exe" 0
  WriteRegStr HKLM "Software\Gulpkin" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Gulpkin"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Gulpkin developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\gulpkin.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${STAGED_KIB}
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\Gulpkin.lnk"
  !include "${LISTS}/uninstall_files.nsh"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "Software\Gulpkin"
SectionEnd
