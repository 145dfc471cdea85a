// Declarations of the Tovrel.dll functions for Inno Setup 6 and 7 scripts. Include it in the [Code]
// section and list Tovrel.dll in [Files] with the dontcopy flag:
//
//   [Files]
//   Source: "Tovrel.dll"; Flags: dontcopy
//   [Code]
//   #include "Tovrel.iss"
//
// This file is read as Pascal Script, so its comments are // or { } only: a line starting with ';'
// stops the compiler here.
//
// Text results belong to the DLL and stay valid only until the next call that returns text; an
// assignment to a String copies them, which is all a script needs to do. Flags are Integer
// parameters of which only the low byte counts (0 false, anything else true).
//
// Setup loads the DLL into its own process, so the DLL follows Setup's architecture, not the
// install mode. ArchitecturesInstallIn64BitMode only switches a 32-bit Setup to 64-bit install
// mode (the 64-bit Program Files and registry view); Setup stays a 32-bit process and needs the
// 32-bit Tovrel.dll. Only SetupArchitecture=x64 (Inno Setup 7) makes Setup a 64-bit process,
// which needs the 64-bit Tovrel.dll. Both DLLs read the same, 32-bit, registry view. Keep them in
// two folders and let the preprocessor pick one; SetupSetting reads the [Setup] section written
// above it:
//
//   [Setup]
//   SetupArchitecture=x64
//
//   [Files]
//   #if LowerCase(SetupSetting("SetupArchitecture")) == "x64"
//   Source: "x64\Tovrel.dll"; Flags: dontcopy
//   #else
//   Source: "x86\Tovrel.dll"; Flags: dontcopy
//   #endif
//
// The declarations below serve Setup only: Setup extracts the DLL into its temporary folder when
// a function is first called. The uninstaller has no such folder. To call the DLL while
// uninstalling, install it into {app} as well and define TovrelUninstall before the include; each
// function is then declared a second time with "Uninstall" after its name (XMLGetNodeUninstall),
// loading {app}\Tovrel.dll. Unload it before the uninstaller deletes it:
//
//   [Files]
//   Source: "Tovrel.dll"; Flags: dontcopy
//   Source: "Tovrel.dll"; DestDir: "{app}"
//   [Code]
//   #define TovrelUninstall
//   #include "Tovrel.iss"
//   ...
//   procedure CurUninstallStepChanged(CurUninstallStep: TUninstallStep);
//   begin
//     if CurUninstallStep = usUninstall then
//     begin
//       Log('Velmora: ' + String(GetLastVLUninstall()));
//       UnloadDLL(ExpandConstant('{app}\Tovrel.dll'));
//     end;
//   end;

// Sets the text of the node a dotted path names (STARTUP.INSTALLEDAPPS.EXCEL) in an XML file,
// creating missing nodes, and saves the file. Returns 1 when saved, 0 with the file unchanged.
function XMLAddNode(FileName, NodePath, Value: AnsiString): Integer;
  external 'XMLAddNode@files:Tovrel.dll stdcall setuponly';

// The text of the node a dotted path names in an XML file; 'Empty' when the file or the node
// cannot be read.
function XMLGetNode(FileName, NodePath: AnsiString): PAnsiChar;
  external 'XMLGetNode@files:Tovrel.dll stdcall setuponly';

// The prefix followed by 'c:\Program Files\' and the Polish letters in Windows-1250; a check that
// the DLL loads and passes text.
function MyDllFunc(Prefix: AnsiString): PAnsiChar;
  external 'MyDllFunc@files:Tovrel.dll stdcall setuponly';

// The folder of the Excel program of the newest Office generation installed (found through the
// Windows Installer database), or '' when there is none.
function GetLastExcel(): PAnsiChar;
  external 'GetLastExcel@files:Tovrel.dll stdcall setuponly';

// Shows the folder browser with Caption as its instruction and Root at the top of its tree
// (empty for the desktop). Returns the folder chosen, or '' when the user cancels. The wizard
// takes no input while the browser is open; COM must be initialised, as it is in Setup. Nobody
// answers it in a silent install: call it only when WizardSilent is false.
function SelDirectory(Caption, Root: AnsiString): PAnsiChar;
  external 'SelDirectory@files:Tovrel.dll stdcall setuponly';

// Lists the executable as an authorised application of the current Windows Firewall profile
// under Name, for connections from any address, enabled unless Enable is 0. An executable
// listed already keeps its entry. Returns 1 also when the firewall is off or allows no
// exceptions; 0 when the firewall cannot be reached or refuses the entry (run it elevated).
function AddToFirewall(ImagePath, Name: AnsiString; Enable: Integer): Integer;
  external 'AddToFirewall@files:Tovrel.dll stdcall setuponly';

// The 'FileVersion' text of an executable's version resource ('9.30.1.71'), from its Polish
// 1250, US English 1252 or language-neutral 1252 block, the first that has it; '' when there is
// none.
function QueryVersionInfo(FileName: AnsiString): PAnsiChar;
  external 'QueryVersionInfo@files:Tovrel.dll stdcall setuponly';

// A dotted version text packed as a number: major * 100 + minor (9.30.1.71 gives 930), or with
// WithRelease not 0 major * 10000 + minor * 100 + release (93001). A field counts only when a '.'
// follows it, so '10.02.003' packs as 100200: append a '.' to a text of three fields to count its
// last one. 0 for a text without '.' or with a field that is not an integer.
function QueryNumFromInfo(VersionText: AnsiString; WithRelease: Integer): Integer;
  external 'QueryNumFromInfo@files:Tovrel.dll stdcall setuponly';

// 1 when the directory is empty, 2 when it holds anything (hidden files too), 0 when the path is
// not an existing directory.
function IsDirectoryEmpty(Directory: AnsiString): Integer;
  external 'IsDirectoryEmpty@files:Tovrel.dll stdcall setuponly';

// The folder of the newest Ferrolin executable ('C:\Ferrolin'), taken from the newest edition
// that has one with a version; a folder at a drive's root keeps its backslash ('D:\'). '' when
// none is installed.
function GetLastFR(): PAnsiChar;
  external 'GetLastFR@files:Tovrel.dll stdcall setuponly';

// The folder of the Platnik program that its uninstall entry names, when p2.exe there has a
// version; '' otherwise.
function GetLastPlatnik(): PAnsiChar;
  external 'GetLastPlatnik@files:Tovrel.dll stdcall setuponly';

// The directory of the latest Velmora installation, exactly as registered or as its settings
// file redirects it (a trailing backslash is kept), chosen within the newest edition that has
// one; '' when there is none.
function GetLastVL(): PAnsiChar;
  external 'GetLastVL@files:Tovrel.dll stdcall setuponly';

// The directory of the latest Astrelo installation, found as GetLastVL finds Velmora's; ''
// when there is none.
function GetLastAS(): PAnsiChar;
  external 'GetLastAS@files:Tovrel.dll stdcall setuponly';

// Writes the installed-applications report into an XML settings file: one APP1, APP2, ...
// element per installation (text the folder, attribute NAME the product and version) under
// STARTUP.INSTALLEDAPPS.EXCEL, .VL, .AS, .FR and .PLATNIK, a section without installations
// removed. Returns 1 when every section that had to change was saved, 0 when one could not be
// written; the file is never left half written.
function XMLSaveInstalledApps(FileName: AnsiString): Integer;
  external 'XMLSaveInstalledApps@files:Tovrel.dll stdcall setuponly';

// The wide family: every function again with W after its name, taking and giving String, so
// that every character passes whole whatever the code page (a folder named in Cyrillic on a
// Polish Windows, say). It answers exactly as the 8-bit function does. Use it in every new
// script; the 8-bit functions above, which lose what the ANSI code page cannot hold, are kept
// for the scripts written before it.
//
// A text result comes back from the DLL as a pointer to UTF-16 text that Pascal Script cannot
// take as a String; each function below copies it into one (TovrelText), so a script simply
// writes S := XMLGetNodeW(FileName, NodePath). The pointer is 32 bits in a 32-bit Setup; a 64-bit
// Setup defines TovrelPointer as NativeInt before the include.
//
// TovrelLogToSetup, called once in InitializeSetup, sends to Setup's log (/LOG) one line for
// every later call of the DLL with its answer and, for a negative answer, the reason: the file
// is read-only, not well-formed at a line and column, the node path stopped at a component, no
// installation qualified and why each candidate was passed over. The uninstaller forms call
// TovrelLogToSetupUninstall in InitializeUninstall.

#ifndef TovrelPointer
  #define TovrelPointer "Longword"
#endif

function TovrelLstrLenW(Text: {#TovrelPointer}): Integer;
  external 'lstrlenW@kernel32.dll stdcall';
function TovrelLstrCpyNW(Target: String; Source: {#TovrelPointer}; MaxLength: Integer): {#TovrelPointer};
  external 'lstrcpynW@kernel32.dll stdcall';

// The UTF-16 text a pointer of the DLL's points to, copied into a String.
function TovrelText(Text: {#TovrelPointer}): String;
var
  Count: Integer;
begin
  Result := '';
  Count := TovrelLstrLenW(Text);
  if Count > 0 then
  begin
    SetLength(Result, Count);
    TovrelLstrCpyNW(Result, Text, Count + 1);
  end;
end;

// Hears one line of the DLL's log.
procedure TovrelLogLine(Line: {#TovrelPointer});
begin
  Log(TovrelText(Line));
end;

function XMLAddNodeW(FileName, NodePath, Value: String): Integer;
  external 'XMLAddNodeW@files:Tovrel.dll stdcall setuponly';
function AddToFirewallW(ImagePath, Name: String; Enable: Integer): Integer;
  external 'AddToFirewallW@files:Tovrel.dll stdcall setuponly';
function QueryNumFromInfoW(VersionText: String; WithRelease: Integer): Integer;
  external 'QueryNumFromInfoW@files:Tovrel.dll stdcall setuponly';
function IsDirectoryEmptyW(Directory: String): Integer;
  external 'IsDirectoryEmptyW@files:Tovrel.dll stdcall setuponly';
function XMLSaveInstalledAppsW(FileName: String): Integer;
  external 'XMLSaveInstalledAppsW@files:Tovrel.dll stdcall setuponly';
function TovrelXMLGetNodeW(FileName, NodePath: String): {#TovrelPointer};
  external 'XMLGetNodeW@files:Tovrel.dll stdcall setuponly';
function XMLGetNodeW(FileName, NodePath: String): String;
begin
  Result := TovrelText(TovrelXMLGetNodeW(FileName, NodePath));
end;
function TovrelMyDllFuncW(Prefix: String): {#TovrelPointer};
  external 'MyDllFuncW@files:Tovrel.dll stdcall setuponly';
function MyDllFuncW(Prefix: String): String;
begin
  Result := TovrelText(TovrelMyDllFuncW(Prefix));
end;
function TovrelGetLastExcelW(): {#TovrelPointer};
  external 'GetLastExcelW@files:Tovrel.dll stdcall setuponly';
function GetLastExcelW(): String;
begin
  Result := TovrelText(TovrelGetLastExcelW());
end;
function TovrelSelDirectoryW(Caption, Root: String): {#TovrelPointer};
  external 'SelDirectoryW@files:Tovrel.dll stdcall setuponly';
function SelDirectoryW(Caption, Root: String): String;
begin
  Result := TovrelText(TovrelSelDirectoryW(Caption, Root));
end;
function TovrelQueryVersionInfoW(FileName: String): {#TovrelPointer};
  external 'QueryVersionInfoW@files:Tovrel.dll stdcall setuponly';
function QueryVersionInfoW(FileName: String): String;
begin
  Result := TovrelText(TovrelQueryVersionInfoW(FileName));
end;
function TovrelGetLastFRW(): {#TovrelPointer};
  external 'GetLastFRW@files:Tovrel.dll stdcall setuponly';
function GetLastFRW(): String;
begin
  Result := TovrelText(TovrelGetLastFRW());
end;
function TovrelGetLastPlatnikW(): {#TovrelPointer};
  external 'GetLastPlatnikW@files:Tovrel.dll stdcall setuponly';
function GetLastPlatnikW(): String;
begin
  Result := TovrelText(TovrelGetLastPlatnikW());
end;
function TovrelGetLastVLW(): {#TovrelPointer};
  external 'GetLastVLW@files:Tovrel.dll stdcall setuponly';
function GetLastVLW(): String;
begin
  Result := TovrelText(TovrelGetLastVLW());
end;
function TovrelGetLastASW(): {#TovrelPointer};
  external 'GetLastASW@files:Tovrel.dll stdcall setuponly';
function GetLastASW(): String;
begin
  Result := TovrelText(TovrelGetLastASW());
end;
procedure TovrelSetLog(Proc: {#TovrelPointer});
  external 'TovrelSetLog@files:Tovrel.dll stdcall setuponly';
procedure TovrelLogToSetup();
begin
  TovrelSetLog(CreateCallback(@TovrelLogLine));
end;

#ifdef TovrelUninstall
// The same functions for the uninstaller, from the copy of the DLL installed into {app}.

function XMLAddNodeUninstall(FileName, NodePath, Value: AnsiString): Integer;
  external 'XMLAddNode@{app}\Tovrel.dll stdcall uninstallonly';
function XMLGetNodeUninstall(FileName, NodePath: AnsiString): PAnsiChar;
  external 'XMLGetNode@{app}\Tovrel.dll stdcall uninstallonly';
function MyDllFuncUninstall(Prefix: AnsiString): PAnsiChar;
  external 'MyDllFunc@{app}\Tovrel.dll stdcall uninstallonly';
function GetLastExcelUninstall(): PAnsiChar;
  external 'GetLastExcel@{app}\Tovrel.dll stdcall uninstallonly';
function SelDirectoryUninstall(Caption, Root: AnsiString): PAnsiChar;
  external 'SelDirectory@{app}\Tovrel.dll stdcall uninstallonly';
function AddToFirewallUninstall(ImagePath, Name: AnsiString; Enable: Integer): Integer;
  external 'AddToFirewall@{app}\Tovrel.dll stdcall uninstallonly';
function QueryVersionInfoUninstall(FileName: AnsiString): PAnsiChar;
  external 'QueryVersionInfo@{app}\Tovrel.dll stdcall uninstallonly';
function QueryNumFromInfoUninstall(VersionText: AnsiString; WithRelease: Integer): Integer;
  external 'QueryNumFromInfo@{app}\Tovrel.dll stdcall uninstallonly';
function IsDirectoryEmptyUninstall(Directory: AnsiString): Integer;
  external 'IsDirectoryEmpty@{app}\Tovrel.dll stdcall uninstallonly';
function GetLastFRUninstall(): PAnsiChar;
  external 'GetLastFR@{app}\Tovrel.dll stdcall uninstallonly';
function GetLastPlatnikUninstall(): PAnsiChar;
  external 'GetLastPlatnik@{app}\Tovrel.dll stdcall uninstallonly';
function GetLastVLUninstall(): PAnsiChar;
  external 'GetLastVL@{app}\Tovrel.dll stdcall uninstallonly';
function GetLastASUninstall(): PAnsiChar;
  external 'GetLastAS@{app}\Tovrel.dll stdcall uninstallonly';
function XMLSaveInstalledAppsUninstall(FileName: AnsiString): Integer;
  external 'XMLSaveInstalledApps@{app}\Tovrel.dll stdcall uninstallonly';

function XMLAddNodeWUninstall(FileName, NodePath, Value: String): Integer;
  external 'XMLAddNodeW@{app}\Tovrel.dll stdcall uninstallonly';
function AddToFirewallWUninstall(ImagePath, Name: String; Enable: Integer): Integer;
  external 'AddToFirewallW@{app}\Tovrel.dll stdcall uninstallonly';
function QueryNumFromInfoWUninstall(VersionText: String; WithRelease: Integer): Integer;
  external 'QueryNumFromInfoW@{app}\Tovrel.dll stdcall uninstallonly';
function IsDirectoryEmptyWUninstall(Directory: String): Integer;
  external 'IsDirectoryEmptyW@{app}\Tovrel.dll stdcall uninstallonly';
function XMLSaveInstalledAppsWUninstall(FileName: String): Integer;
  external 'XMLSaveInstalledAppsW@{app}\Tovrel.dll stdcall uninstallonly';
function TovrelXMLGetNodeWUninstall(FileName, NodePath: String): {#TovrelPointer};
  external 'XMLGetNodeW@{app}\Tovrel.dll stdcall uninstallonly';
function XMLGetNodeWUninstall(FileName, NodePath: String): String;
begin
  Result := TovrelText(TovrelXMLGetNodeWUninstall(FileName, NodePath));
end;
function TovrelMyDllFuncWUninstall(Prefix: String): {#TovrelPointer};
  external 'MyDllFuncW@{app}\Tovrel.dll stdcall uninstallonly';
function MyDllFuncWUninstall(Prefix: String): String;
begin
  Result := TovrelText(TovrelMyDllFuncWUninstall(Prefix));
end;
function TovrelGetLastExcelWUninstall(): {#TovrelPointer};
  external 'GetLastExcelW@{app}\Tovrel.dll stdcall uninstallonly';
function GetLastExcelWUninstall(): String;
begin
  Result := TovrelText(TovrelGetLastExcelWUninstall());
end;
function TovrelSelDirectoryWUninstall(Caption, Root: String): {#TovrelPointer};
  external 'SelDirectoryW@{app}\Tovrel.dll stdcall uninstallonly';
function SelDirectoryWUninstall(Caption, Root: String): String;
begin
  Result := TovrelText(TovrelSelDirectoryWUninstall(Caption, Root));
end;
function TovrelQueryVersionInfoWUninstall(FileName: String): {#TovrelPointer};
  external 'QueryVersionInfoW@{app}\Tovrel.dll stdcall uninstallonly';
function QueryVersionInfoWUninstall(FileName: String): String;
begin
  Result := TovrelText(TovrelQueryVersionInfoWUninstall(FileName));
end;
function TovrelGetLastFRWUninstall(): {#TovrelPointer};
  external 'GetLastFRW@{app}\Tovrel.dll stdcall uninstallonly';
function GetLastFRWUninstall(): String;
begin
  Result := TovrelText(TovrelGetLastFRWUninstall());
end;
function TovrelGetLastPlatnikWUninstall(): {#TovrelPointer};
  external 'GetLastPlatnikW@{app}\Tovrel.dll stdcall uninstallonly';
function GetLastPlatnikWUninstall(): String;
begin
  Result := TovrelText(TovrelGetLastPlatnikWUninstall());
end;
function TovrelGetLastVLWUninstall(): {#TovrelPointer};
  external 'GetLastVLW@{app}\Tovrel.dll stdcall uninstallonly';
function GetLastVLWUninstall(): String;
begin
  Result := TovrelText(TovrelGetLastVLWUninstall());
end;
function TovrelGetLastASWUninstall(): {#TovrelPointer};
  external 'GetLastASW@{app}\Tovrel.dll stdcall uninstallonly';
function GetLastASWUninstall(): String;
begin
  Result := TovrelText(TovrelGetLastASWUninstall());
end;
procedure TovrelSetLogUninstall(Proc: {#TovrelPointer});
  external 'TovrelSetLog@{app}\Tovrel.dll stdcall uninstallonly';
procedure TovrelLogToSetupUninstall();
begin
  TovrelSetLogUninstall(CreateCallback(@TovrelLogLine));
end;
#endif
