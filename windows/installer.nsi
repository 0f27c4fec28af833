; The Windows installer of Gulpkin, built by Debian's makensis:
;   makensis -DVERSION=1.1 -DSTAGE=folder -DOUTFILE=setup.exe -DICON=gulpkin.ico
;            -DLISTS=folder-of-install_files.nsh installer.nsi
; Installs the staged portable folder into Program Files with a Start-menu
; entry and an uninstaller. The uninstaller deletes the files the installer
; wrote, one by one, and the folders only when they are empty: the player's
; best score, settings and screenshots live in %APPDATA%\gulpkin and stay.
; /S installs or uninstalls silently. The installer is a 64-bit program like
; the game it installs.
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
!define MUI_FINISHPAGE_RUN "$INSTDIR\gulpkin.exe"
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
