; Per-user installer of Zenvoral: no administrator rights, a Start-menu entry and an
; uninstaller that also removes the start-with-Windows value the program writes.
; makensis -DVERSION=1.60 -DSTAGE=<folder with the files> -DOUTFILE=<setup.exe>

Unicode true
!include "MUI2.nsh"

Name "Zenvoral ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Zenvoral"
InstallDirRegKey HKCU "Software\Zenvoral" "InstallFolder"
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zenvoral"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Zenvoral.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Zenvoral"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "${STAGE}\Zenvoral.exe"
  File "${STAGE}\zenvoral-convert.exe"
  File "${STAGE}\layouts.txt"
  File "${STAGE}\README.md"
  File "${STAGE}\LICENSE.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortCut "$SMPROGRAMS\Zenvoral.lnk" "$INSTDIR\Zenvoral.exe"
  WriteRegStr HKCU "Software\Zenvoral" "InstallFolder" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Zenvoral"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Zenvoral.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  ; The program writes this value at every start while starting with Windows is on.
  DeleteRegValue HKCU "${RUN_KEY}" "UxZenvoral"
  Delete "$SMPROGRAMS\Zenvoral.lnk"
  Delete "$INSTDIR\Zenvoral.exe"
  Delete "$INSTDIR\zenvoral-convert.exe"
  Delete "$INSTDIR\layouts.txt"
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\Zenvoral.ini"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "Software\Zenvoral"
SectionEnd
