; The WinTarvel installer for 64-bit Windows. Built by scripts/windows-release.sh with:
;   makensis -DVERSION=x.y -DSTAGE=<installed program folder> -DFILES=<files.nsh> -DOUTFILE=<setup.exe>
; STAGE holds the program as it is installed; FILES lists its files and folders for the
; uninstaller, so that it removes exactly what was installed and nothing a user put beside it.
;
; Installs for the current user (no administrator rights needed) or for all users: the installer
; asks, or /CurrentUser and /AllUsers choose on the command line; /S installs silently.

; A 64-bit installer for a 64-bit program: it needs no 32-bit layer of Windows (nor of Wine).
Target amd64-unicode
SetCompressor /SOLID lzma

!define APP_NAME "WinTarvel"
!define APP_KEY "Software\WinTarvel"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\WinTarvel"
!define FILE_TYPE "WinTarvel.SetFile"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${APP_NAME}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${APP_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallDir"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${APP_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallMode"
!include MultiUser.nsh
!include MUI2.nsh

Name "${APP_NAME} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${APP_NAME} ${VERSION}"

!define MUI_ICON "${STAGE}\wintarvel.ico"
!define MUI_UNICON "${STAGE}\wintarvel.ico"
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The folder the Start-menu shortcut starts the program in. The engine setting (wintvl.cfg) is kept
; in the start folder, so it must be one the user can write: the user's Documents for a per-user
; install, the public Documents for an all-users install.
Var StartFolder

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "WinTarvel"
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  StrCpy $StartFolder "$DOCUMENTS\${APP_NAME}"
  CreateDirectory "$StartFolder"
  SetOutPath "$StartFolder"
  CreateShortCut "$SMPROGRAMS\${APP_NAME}.lnk" "$INSTDIR\wintarvel.exe" "" "$INSTDIR\wintarvel.exe" 0
  SetOutPath "$INSTDIR"

  ; Set files open with the program.
  WriteRegStr SHCTX "Software\Classes\.set" "" "${FILE_TYPE}"
  WriteRegStr SHCTX "Software\Classes\${FILE_TYPE}" "" "${APP_NAME} Set File"
  WriteRegStr SHCTX "Software\Classes\${FILE_TYPE}\DefaultIcon" "" "$INSTDIR\wintarvel.exe,0"
  WriteRegStr SHCTX "Software\Classes\${FILE_TYPE}\shell\open\command" "" '"$INSTDIR\wintarvel.exe" "%1"'

  ; What the uninstaller and "Apps and Features" need.
  WriteRegStr SHCTX "${APP_KEY}" "InstallDir" "$INSTDIR"
  WriteRegStr SHCTX "${APP_KEY}" "InstallMode" "$MultiUser.InstallMode"
  WriteRegStr SHCTX "${APP_KEY}" "StartFolder" "$StartFolder"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APP_NAME}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\wintarvel.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\${APP_NAME}.lnk"
  ; The start folder goes only when the user left nothing in it (RMDir keeps a folder with files).
  ReadRegStr $StartFolder SHCTX "${APP_KEY}" "StartFolder"
  ${If} $StartFolder != ""
    RMDir "$StartFolder"
  ${EndIf}

  ; The file type is removed only while it is still ours.
  ReadRegStr $0 SHCTX "Software\Classes\.set" ""
  ${If} $0 == "${FILE_TYPE}"
    DeleteRegKey SHCTX "Software\Classes\.set"
  ${EndIf}
  DeleteRegKey SHCTX "Software\Classes\${FILE_TYPE}"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  DeleteRegKey SHCTX "${APP_KEY}"

  !include "${FILES}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
