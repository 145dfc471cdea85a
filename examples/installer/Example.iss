; An example installer that uses every function of Tovrel.dll, with the checks a real installer
; makes on each answer. It compiles in place in the unpacked release archive, where Tovrel.iss
; lies two folders up and the 32-bit Tovrel.dll in x86/ beside it:
;
;   ISCC.exe examples\installer\Example.iss
;
; Everything it asks has an unattended answer, so /VERYSILENT /SUPPRESSMSGBOXES runs through
; without anyone at the keyboard.

[Setup]
AppName=Velmora Example
AppVersion=9.30
DefaultDirName={autopf}\Ostrik\Velmora Example
DefaultGroupName=Velmora Example
OutputBaseFilename=VelmoraExampleSetup
PrivilegesRequired=admin

[Files]
; Setup calls the DLL from its temporary folder; the uninstaller calls the copy in {app}.
Source: "..\..\x86\Tovrel.dll"; Flags: dontcopy
Source: "..\..\x86\Tovrel.dll"; DestDir: "{app}"
Source: "settings.xml"; DestDir: "{app}"; Flags: onlyifdoesntexist

[Code]
#define TovrelUninstall
#include "..\..\Tovrel.iss"

var
  DataDirPage: TInputDirWizardPage;

// Every call of the DLL, and why an answer is negative, goes to Setup's log (/LOG). The W
// functions pass every character whole; the suffix of MyDllFuncW ends with Polish letters.
function InitializeSetup(): Boolean;
begin
  TovrelLogToSetup();
  Log('Tovrel loaded: ' + MyDllFuncW('check '));
  Result := True;
end;

// Offers the newest installation found as the default folder and lets the user browse for
// the data folder with the shell's folder browser.
procedure InitializeWizard();
var
  LastVL: String;
begin
  LastVL := GetLastVLW();
  if LastVL <> '' then
    WizardForm.DirEdit.Text := LastVL;
  DataDirPage := CreateInputDirPage(wpSelectDir, 'Data folder', 'Where are the data files?',
    'Choose the folder that holds the company data.', False, '');
  DataDirPage.Add('');
  DataDirPage.Values[0] := ExpandConstant('{commondocs}\Velmora');
end;

// Makes the data folder; False, after telling the user, when it cannot be made.
function CreateDataDir(const Folder: String): Boolean;
begin
  Result := ForceDirectories(Folder);
  if Result then
    Log('Created the data folder ' + Folder)
  else
    SuppressibleMsgBox('The folder ' + Folder + ' could not be created.', mbError, MB_OK, IDOK);
end;

// A missing data folder is made without asking in a silent install: nobody is there to answer a
// question or the folder browser, and a False result here would end Setup. With a user at the
// screen, Setup asks whether to make it or to choose another one.
function NextButtonClick(CurPageID: Integer): Boolean;
var
  Chosen: String;
begin
  Result := True;
  if CurPageID = DataDirPage.ID then
  begin
    // 0: not a folder, 1: empty, 2: holds something.
    case IsDirectoryEmptyW(DataDirPage.Values[0]) of
      0:
        if WizardSilent then
          Result := CreateDataDir(DataDirPage.Values[0])
        else if SuppressibleMsgBox('The folder does not exist. Create it? Choose No to pick ' +
                  'another one.', mbConfirmation, MB_YESNO, IDYES) = IDYES then
          Result := CreateDataDir(DataDirPage.Values[0])
        else
        begin
          Chosen := SelDirectoryW('Choose the data folder', '');
          // An empty answer is Cancel: the folder stays as it was.
          if Chosen <> '' then
            DataDirPage.Values[0] := Chosen;
          Result := False;
        end;
      1: Log('The data folder is empty.');
      2: Log('The data folder holds files already; they are kept.');
    end;
  end;
end;

// Tells whether the program found in a folder is at least the wanted version. QueryNumFromInfo
// counts a field only when a '.' follows it, so '10.02.002' and '10.02.003' would both pack as
// 100200. A '.' appended to both texts makes the third field count (100202 and 100203); a fourth
// field, the build, stays out of the comparison. '' means no version resource, and a text that
// is not a version packs as 0.
function AtLeast(const Executable, Wanted: String): Boolean;
var
  Found: String;
begin
  Found := QueryVersionInfoW(Executable);
  Result := (Found <> '') and
            (QueryNumFromInfoW(Found + '.', 1) >= QueryNumFromInfoW(Wanted + '.', 1));
end;

procedure CurStepChanged(CurStep: TSetupStep);
var
  Settings, Excel, Platnik, Ferrolin, Astrelo, Language: String;
begin
  if CurStep <> ssPostInstall then
    exit;
  Settings := ExpandConstant('{app}\settings.xml');

  // Single values by dotted paths. 0 means nothing was written and the file is as it was.
  if XMLAddNodeW(Settings, 'STARTUP.DATADIR', DataDirPage.Values[0]) = 0 then
    Log('could not write STARTUP.DATADIR into ' + Settings);
  Language := XMLGetNodeW(Settings, 'STARTUP.LANGUAGE');
  Log('STARTUP.LANGUAGE: ' + Language);
  if Language = 'Empty' then
    if XMLAddNodeW(Settings, 'STARTUP.LANGUAGE', 'PL') = 0 then
      Log('could not write STARTUP.LANGUAGE');

  // Where the other programs are, for the links the program offers.
  Excel := GetLastExcelW();
  if Excel <> '' then
    XMLAddNodeW(Settings, 'STARTUP.LINKS.EXCEL', Excel);
  Platnik := GetLastPlatnikW();
  if (Platnik <> '') and AtLeast(AddBackslash(Platnik) + 'p2.exe', '10.02.003') then
    XMLAddNodeW(Settings, 'STARTUP.LINKS.PLATNIK', Platnik);
  Ferrolin := GetLastFRW();
  if Ferrolin <> '' then
    XMLAddNodeW(Settings, 'STARTUP.LINKS.FERROLIN', Ferrolin);
  Astrelo := GetLastASW();
  if Astrelo <> '' then
    Log('Astrelo is installed in ' + Astrelo);

  // The report of every installation found; 0 when a section could not be saved.
  if XMLSaveInstalledAppsW(Settings) = 0 then
    Log('the installed-applications report could not be written completely');

  // The program's own server needs an inbound exception; 0 when the firewall refused it. A
  // silent install goes on without the message.
  if AddToFirewallW(ExpandConstant('{app}\vl.exe'), 'Velmora Example', 1) = 0 then
    SuppressibleMsgBox('The program could not be added to the Windows Firewall. Add it by hand ' +
      'to use it over the network.', mbInformation, MB_OK, IDOK);
end;

// The uninstaller's calls go to its log too.
function InitializeUninstall(): Boolean;
begin
  TovrelLogToSetupUninstall();
  Result := True;
end;

// The uninstaller reads the settings through the copy of the DLL in {app}, then unloads it, so
// that it can delete the DLL with the rest of {app}.
procedure CurUninstallStepChanged(CurUninstallStep: TUninstallStep);
var
  Settings: String;
begin
  if CurUninstallStep = usUninstall then
  begin
    Settings := ExpandConstant('{app}\settings.xml');
    Log('Data folder kept: ' + XMLGetNodeWUninstall(Settings, 'STARTUP.DATADIR'));
    // 'Empty' when the installer found no Excel to link; the log then says why.
    Log('Excel link left: ' + XMLGetNodeWUninstall(Settings, 'STARTUP.LINKS.EXCEL'));
    UnloadDLL(ExpandConstant('{app}\Tovrel.dll'));
  end;
end;
