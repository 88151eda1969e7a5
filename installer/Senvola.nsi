; Setup of Senvola.scr for 64-bit Windows, built on Linux with makensis:
;   makensis -INPUTCHARSET UTF8 -DVERSION=2.1.0 -DSCR=... -DINI=... -DHELP=... -DOUTFILE=... Senvola.nsi
;
; For all users (an administrator, after the elevation prompt) the saver goes into the 64-bit
; system folder, where Screen Saver Settings lists it, and the uninstaller into Program Files.
; Without administrator rights, or with /CurrentUser, everything goes into a folder of the
; user's own. Switches: /S (silent), /AllUsers, /CurrentUser, /NoSelect (leave the current
; screensaver as it is). The uninstaller takes /S and /RemoveSettings.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel highest
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!ifndef VERSION
  !error "makensis -DVERSION=x.y.z"
!endif

!define PRODUCT "Senvola"
!define PUBLISHER "Tavrel"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Senvola"
!define SETTINGS_KEY "Software\Tavrel\Senvola"
!define DESKTOP_KEY "Control Panel\Desktop"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (C) ${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"

Var AllUsers      ; 1: the system folder and HKLM; 0: the user's own folder and HKCU
Var ProgramDir    ; where Senvola.scr and its files go; $INSTDIR holds the uninstaller

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
; The finish page carries out its "run" box before its "readme" box: the selection comes first,
; so that Screen Saver Settings opens with Senvola already chosen.
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(SelectSaver)"
!define MUI_FINISHPAGE_RUN_FUNCTION SelectSaver
!define MUI_FINISHPAGE_SHOWREADME
!define MUI_FINISHPAGE_SHOWREADME_TEXT "$(OpenSettings)"
!define MUI_FINISHPAGE_SHOWREADME_FUNCTION OpenSettings

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Dutch"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "SimpChinese"
!insertmacro MUI_LANGUAGE "TradChinese"
!insertmacro MUI_LANGUAGE "Japanese"
!insertmacro MUI_LANGUAGE "Korean"

LangString SelectSaver ${LANG_ENGLISH} "Make Senvola the current screensaver"
LangString SelectSaver ${LANG_DUTCH} "Senvola als schermbeveiliging instellen"
LangString SelectSaver ${LANG_GERMAN} "Senvola als Bildschirmschoner auswählen"
LangString SelectSaver ${LANG_FRENCH} "Choisir Senvola comme écran de veille"
LangString SelectSaver ${LANG_SIMPCHINESE} "将 Senvola 设为当前屏幕保护程序"
LangString SelectSaver ${LANG_TRADCHINESE} "將 Senvola 設為目前的螢幕保護程式"
LangString SelectSaver ${LANG_JAPANESE} "Senvola を現在のスクリーン セーバーにする"
LangString SelectSaver ${LANG_KOREAN} "Senvola를 현재 화면 보호기로 설정"
LangString OpenSettings ${LANG_ENGLISH} "Open Screen Saver Settings"
LangString OpenSettings ${LANG_DUTCH} "Instellingen voor schermbeveiliging openen"
LangString OpenSettings ${LANG_GERMAN} "Bildschirmschonereinstellungen öffnen"
LangString OpenSettings ${LANG_FRENCH} "Ouvrir les paramètres de l'écran de veille"
LangString OpenSettings ${LANG_SIMPCHINESE} "打开屏幕保护程序设置"
LangString OpenSettings ${LANG_TRADCHINESE} "開啟螢幕保護程式設定"
LangString OpenSettings ${LANG_JAPANESE} "スクリーン セーバーの設定を開く"
LangString OpenSettings ${LANG_KOREAN} "화면 보호기 설정 열기"
LangString NeedsAdmin ${LANG_ENGLISH} "Installing for all users needs administrator rights."
LangString NeedsAdmin ${LANG_DUTCH} "Installeren voor alle gebruikers vraagt beheerdersrechten."
LangString NeedsAdmin ${LANG_GERMAN} "Die Installation für alle Benutzer erfordert Administratorrechte."
LangString NeedsAdmin ${LANG_FRENCH} "L'installation pour tous les utilisateurs demande les droits d'administrateur."
LangString NeedsAdmin ${LANG_SIMPCHINESE} "为所有用户安装需要管理员权限。"
LangString NeedsAdmin ${LANG_TRADCHINESE} "為所有使用者安裝需要系統管理員權限。"
LangString NeedsAdmin ${LANG_JAPANESE} "すべてのユーザーにインストールするには管理者権限が必要です。"
LangString NeedsAdmin ${LANG_KOREAN} "모든 사용자용으로 설치하려면 관리자 권한이 필요합니다."
LangString RemoveSettings ${LANG_ENGLISH} "Also remove your Senvola settings?"
LangString RemoveSettings ${LANG_DUTCH} "Ook uw instellingen van Senvola verwijderen?"
LangString RemoveSettings ${LANG_GERMAN} "Auch Ihre Einstellungen von Senvola entfernen?"
LangString RemoveSettings ${LANG_FRENCH} "Supprimer aussi vos réglages de Senvola ?"
LangString RemoveSettings ${LANG_SIMPCHINESE} "同时删除您的 Senvola 设置吗？"
LangString RemoveSettings ${LANG_TRADCHINESE} "同時刪除您的 Senvola 設定嗎？"
LangString RemoveSettings ${LANG_JAPANESE} "Senvola の設定も削除しますか?"
LangString RemoveSettings ${LANG_KOREAN} "Senvola 설정도 삭제하시겠습니까?"

; Sets $AllUsers from the switches and the account, $ProgramDir and $INSTDIR from $AllUsers.
!macro ChooseMode un
Function ${un}ChooseMode
    UserInfo::GetAccountType
    Pop $0
    StrCpy $AllUsers 0
    ${If} $0 == "Admin"
        StrCpy $AllUsers 1
    ${EndIf}
    ${GetParameters} $1
    ClearErrors
    ${GetOptions} $1 "/CurrentUser" $2
    ${IfNot} ${Errors}
        StrCpy $AllUsers 0
    ${EndIf}
    ClearErrors
    ${GetOptions} $1 "/AllUsers" $2
    ${IfNot} ${Errors}
        ${If} $0 != "Admin"
            MessageBox MB_ICONSTOP "$(NeedsAdmin)" /SD IDOK
            SetErrorLevel 740
            Quit
        ${EndIf}
        StrCpy $AllUsers 1
    ${EndIf}
    SetRegView 64
    ${If} $AllUsers == 1
        SetShellVarContext all
        StrCpy $ProgramDir $SYSDIR
        StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
    ${Else}
        SetShellVarContext current
        StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT}"
        StrCpy $ProgramDir $INSTDIR
    ${EndIf}
FunctionEnd
!macroend
!insertmacro ChooseMode ""
!insertmacro ChooseMode "un."

Function .onInit
    Call ChooseMode
FunctionEnd

Function SelectSaver
    WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$ProgramDir\Senvola.scr"
FunctionEnd

Function OpenSettings
    Exec '"$SYSDIR\control.exe" desk.cpl,,@screensaver'
FunctionEnd

Section "Senvola"
    SetOutPath $ProgramDir
    File "/oname=Senvola.scr" "${SCR}"
    File "/oname=Senvola.ini" "${INI}"
    File "/oname=Senvola.html" "${HELP}"
    SetOutPath $INSTDIR
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    ${If} $AllUsers == 1
        StrCpy $0 "HKLM"
        StrCpy $1 "/AllUsers"
    ${Else}
        StrCpy $1 "/CurrentUser"
    ${EndIf}
    ; Apps & features lists the key of the mode; the uninstaller is told its mode, not left to guess.
    !macro WriteUninstallEntry ROOT
        WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
        WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
        WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
        WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "DisplayIcon" "$ProgramDir\Senvola.scr"
        WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
        WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe" $1'
        WriteRegStr ${ROOT} "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" $1 /S'
        WriteRegDWORD ${ROOT} "${UNINSTALL_KEY}" "NoModify" 1
        WriteRegDWORD ${ROOT} "${UNINSTALL_KEY}" "NoRepair" 1
        ${GetSize} "$ProgramDir" "/M=Senvola.* /S=0K /G=0" $2 $3 $4
        WriteRegDWORD ${ROOT} "${UNINSTALL_KEY}" "EstimatedSize" $2
    !macroend
    ${If} $AllUsers == 1
        !insertmacro WriteUninstallEntry HKLM
    ${Else}
        !insertmacro WriteUninstallEntry HKCU
    ${EndIf}

    ; The finish page asks; a silent setup selects the saver unless told not to.
    ${If} ${Silent}
        ${GetParameters} $1
        ClearErrors
        ${GetOptions} $1 "/NoSelect" $2
        ${If} ${Errors}
            Call SelectSaver
        ${EndIf}
    ${EndIf}
SectionEnd

Function un.onInit
    Call un.ChooseMode
FunctionEnd

Section "Uninstall"
    Delete "$ProgramDir\Senvola.scr"
    Delete "$ProgramDir\Senvola.ini"
    Delete "$ProgramDir\Senvola.html"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"

    ; The selection goes only while it is still this saver: the user may have chosen another.
    ; Timeout, password and the other shared screen-saver values are the user's and stay.
    ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${If} $0 == "$ProgramDir\Senvola.scr"
        DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${EndIf}

    ${GetParameters} $1
    ClearErrors
    ${GetOptions} $1 "/RemoveSettings" $2
    ${IfNot} ${Errors}
        StrCpy $3 1
    ${Else}
        StrCpy $3 0
        MessageBox MB_YESNO|MB_ICONQUESTION "$(RemoveSettings)" /SD IDNO IDNO +2
        StrCpy $3 1
    ${EndIf}
    ${If} $3 == 1
        DeleteRegKey HKCU "${SETTINGS_KEY}"
        DeleteRegKey /ifempty HKCU "Software\Tavrel"
    ${EndIf}

    ${If} $AllUsers == 1
        DeleteRegKey HKLM "${UNINSTALL_KEY}"
    ${Else}
        DeleteRegKey HKCU "${UNINSTALL_KEY}"
    ${EndIf}
SectionEnd
