; SPDX-License-Identifier: MIT
; The Windows installer: the programs under Program Files, a Start-menu entry and an uninstaller
; listed under the installed programs. Built by `make windows` with
;   makensis -DSTAGE=FOLDER -DOUTFILE=SETUP.EXE talvo-zavodo.nsi
; where FOLDER holds the programs, README.txt and programs.nsh, one `!insertmacro Program NAME`
; line per program, written by the Makefile from its one list of Windows programs.
Unicode true
Target amd64-unicode
!include MUI2.nsh
!include x64.nsh

!define NAME "TALVO-ZAVODO"
!define VERSION "1.0"
!define SHORTCUT "$SMPROGRAMS\${NAME} V${VERSION}.lnk"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${NAME}"

Name "${NAME} V${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${NAME}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
; Program Files and the all-users Start menu need an administrator.
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ManifestSupportedOS all

!define MUI_ICON "${STAGE}/icon.ico"
!define MUI_UNICON "${STAGE}/icon.ico"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The first language is the default; Windows in Turkish gets the Turkish pages.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Turkish"

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_ICONSTOP "${NAME} needs a 64-bit Windows."
    Abort
  ${EndIf}
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "Install"
  SetOutPath "$INSTDIR"
  !macro Program FILE
    File "${STAGE}/${FILE}"
  !macroend
  !include "${STAGE}/programs.nsh"
  File "${STAGE}/README.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\talvo-zavodo.exe" "" "$INSTDIR\talvo-zavodo.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${NAME} V${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\talvo-zavodo.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  !macroundef Program
  !macro Program FILE
    Delete "$INSTDIR\${FILE}"
  !macroend
  !include "${STAGE}/programs.nsh"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\uninstall.exe"
  Delete "${SHORTCUT}"
  ; Only an emptied folder goes: whatever else someone put there stays.
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
