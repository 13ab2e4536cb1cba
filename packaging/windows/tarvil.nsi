; Tarvil's setup program. scripts/package-windows builds it:
;   makensis -DVERSION=314.01 -DSTAGE=<files> -DOUTFILE=<setup.exe> tarvil.nsi
;
; The program goes under Program Files; each installation (a PEC's profile)
; gets a working folder of its own holding tarvil.ini and LogoTarvil.jpg, and
; a shortcut that starts the program in it. Running the setup again with
; another folder adds another installation beside the first.
;
; Silent use (what --try does):
;   setup.exe /S /CARPETA=C:\Tarvil\OLIV01 /ID=OLIV01 /SERVIDOR=W [/D=C:\Program Files\Tarvil]

Unicode true
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "nsDialogs.nsh"
!include "x64.nsh"

!ifndef VERSION
  !error "falta -DVERSION"
!endif
!ifndef STAGE
  !error "falta -DSTAGE"
!endif
!ifndef OUTFILE
  !define OUTFILE "Tarvil-${VERSION}-setup.exe"
!endif

!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvil"
!define APP_KEY "Software\Tarvil"

Name "Tarvil ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Tarvil"
InstallDirRegKey HKLM "${APP_KEY}" "InstallDir"
BrandingText "Tarvil ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=3082 "ProductName" "Tarvil"
VIAddVersionKey /LANG=3082 "FileDescription" "Instalador de Tarvil"
VIAddVersionKey /LANG=3082 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=3082 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=3082 "CompanyName" "Tarvil"
VIAddVersionKey /LANG=3082 "LegalCopyright" "Tarvil"

Var WorkDir
Var InstId
Var Server
Var IdField
Var ServerField

!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY

!define MUI_PAGE_HEADER_TEXT "Carpeta de trabajo"
!define MUI_PAGE_HEADER_SUBTEXT "Dónde quedan tarvil.ini y el logo de esta instalación."
!define MUI_DIRECTORYPAGE_TEXT_TOP "Tarvil se inicia en esta carpeta: en ella están tarvil.ini (perfil y servidor) y LogoTarvil.jpg. Cada instalación del programa usa una carpeta propia; una carpeta que ya tiene tarvil.ini se conserva tal cual."
!define MUI_DIRECTORYPAGE_TEXT_DESTINATION "Carpeta de trabajo"
!define MUI_DIRECTORYPAGE_VARIABLE $WorkDir
!insertmacro MUI_PAGE_DIRECTORY

Page custom ProfilePage ProfilePageLeave

!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Spanish"

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_ICONSTOP "Tarvil necesita Windows de 64 bits." /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
  StrCpy $WorkDir "C:\Tarvil"
  StrCpy $Server "W"
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/CARPETA=" $R1
  ${IfNot} ${Errors}
    StrCpy $WorkDir $R1
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/ID=" $R1
  ${IfNot} ${Errors}
    StrCpy $InstId $R1
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/SERVIDOR=" $R1
  ${IfNot} ${Errors}
    StrCpy $Server $R1
  ${EndIf}
FunctionEnd

; Profile and server letter, asked only for a folder without tarvil.ini.
Function ProfilePage
  ${If} ${FileExists} "$WorkDir\tarvil.ini"
    Abort
  ${EndIf}
  !insertmacro MUI_HEADER_TEXT "Perfil de la instalación" "Se escriben en tarvil.ini de la carpeta de trabajo."
  nsDialogs::Create 1018
  Pop $R9
  ${NSD_CreateLabel} 0 0 100% 24u "El ID de la instalación (por ejemplo OLIV01) y la letra del servidor los indica el PEC."
  Pop $R9
  ${NSD_CreateLabel} 0 34u 40% 12u "ID de la instalación:"
  Pop $R9
  ${NSD_CreateText} 42% 32u 30% 12u "$InstId"
  Pop $IdField
  ${NSD_CreateLabel} 0 54u 40% 12u "Letra del servidor:"
  Pop $R9
  ${NSD_CreateText} 42% 52u 10% 12u "$Server"
  Pop $ServerField
  nsDialogs::Show
FunctionEnd

Function ProfilePageLeave
  ${NSD_GetText} $IdField $InstId
  ${NSD_GetText} $ServerField $Server
  ${If} $InstId == ""
    MessageBox MB_ICONEXCLAMATION "Escriba el ID de la instalación."
    Abort
  ${EndIf}
  StrLen $R0 $Server
  ${If} $R0 != 1
    MessageBox MB_ICONEXCLAMATION "La letra del servidor es una sola letra."
    Abort
  ${EndIf}
FunctionEnd

Section "Tarvil" SecMain
  SectionIn RO
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\desinstalar.exe"

  ; The working folder: tarvil.ini and the logo are the installation's own
  ; and are never replaced by a new setup.
  CreateDirectory "$WorkDir"
  ${IfNot} ${FileExists} "$WorkDir\tarvil.ini"
    ${If} $InstId == ""
      StrCpy $InstId "NADA"
    ${EndIf}
    FileOpen $R0 "$WorkDir\tarvil.ini" w
    FileWrite $R0 "[DATA]$\r$\nID=$InstId$\r$\nSERVER=$Server$\r$\n"
    FileClose $R0
  ${EndIf}
  ${IfNot} ${FileExists} "$WorkDir\LogoTarvil.jpg"
    CopyFiles /SILENT "$INSTDIR\LogoTarvil.jpg" "$WorkDir\LogoTarvil.jpg"
  ${EndIf}
  ; Name of the shortcut: the profile read back from the folder's tarvil.ini.
  ReadINIStr $R1 "$WorkDir\tarvil.ini" "DATA" "ID"
  ${If} $R1 == ""
    StrCpy $R1 "NADA"
  ${EndIf}
  SetOutPath "$WorkDir"
  CreateDirectory "$SMPROGRAMS\Tarvil"
  CreateShortcut "$SMPROGRAMS\Tarvil\Tarvil $R1.lnk" "$INSTDIR\tarvil.exe" "" "$INSTDIR\tarvil.exe" 0
  CreateShortcut "$SMPROGRAMS\Tarvil\Desinstalar Tarvil.lnk" "$INSTDIR\desinstalar.exe"
  CreateShortcut "$DESKTOP\Tarvil $R1.lnk" "$INSTDIR\tarvil.exe" "" "$INSTDIR\tarvil.exe" 0

  WriteRegStr HKLM "${APP_KEY}" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "${APP_KEY}\Instalaciones" "$R1" "$WorkDir"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "Tarvil"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "Tarvil"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\tarvil.exe"
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\desinstalar.exe"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\desinstalar.exe" /S'
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $R2 $R3 $R4
  IntFmt $R2 "0x%08X" $R2
  WriteRegDWORD HKLM "${UNINST_KEY}" "EstimatedSize" "$R2"
SectionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

; The program and its shortcuts go; the working folders stay (they hold the
; installation's tarvil.ini and logo).
Section "Uninstall"
  SetShellVarContext all
  ; Only a folder that holds the program is removed whole.
  ${If} ${FileExists} "$INSTDIR\tarvil.exe"
    RMDir /r "$INSTDIR"
  ${EndIf}
  Delete "$DESKTOP\Tarvil *.lnk"
  RMDir /r "$SMPROGRAMS\Tarvil"
  DeleteRegKey HKLM "${UNINST_KEY}"
  DeleteRegKey HKLM "${APP_KEY}"
SectionEnd
