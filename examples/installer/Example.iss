; An example installer that uses every function of Tovrel.dll, with the checks a real installer
; makes on each answer. Build it with Inno Setup 6 beside Tovrel.iss and the 32-bit Tovrel.dll
; (x86/ in the release archive).

[Setup]
AppName=Velmora Example
AppVersion=9.30
DefaultDirName={autopf}\Ostrik\Velmora Example
DefaultGroupName=Velmora Example
OutputBaseFilename=VelmoraExampleSetup
PrivilegesRequired=admin

[Files]
Source: "Tovrel.dll"; Flags: dontcopy
Source: "settings.xml"; DestDir: "{app}"; Flags: onlyifdoesntexist

[Code]
#include "Tovrel.iss"

var
  DataDirPage: TInputDirWizardPage;

// The DLL loads and passes text: the suffix ends with Polish letters in Windows-1250.
function InitializeSetup(): Boolean;
begin
  Log('Tovrel loaded: ' + String(MyDllFunc('check ')));
  Result := True;
end;

// Offers the newest installation found as the default folder and lets the user browse for
// the data folder with the shell's folder browser.
procedure InitializeWizard();
var
  LastVL: String;
begin
  LastVL := String(GetLastVL());
  if LastVL <> '' then
    WizardForm.DirEdit.Text := LastVL;
  DataDirPage := CreateInputDirPage(wpSelectDir, 'Data folder', 'Where are the data files?',
    'Choose the folder that holds the company data.', False, '');
  DataDirPage.Add('');
  DataDirPage.Values[0] := ExpandConstant('{commondocs}\Velmora');
end;

function NextButtonClick(CurPageID: Integer): Boolean;
var
  Chosen: String;
begin
  Result := True;
  if CurPageID = DataDirPage.ID then
  begin
    // 0: not a folder, 1: empty, 2: holds something.
    case IsDirectoryEmpty(DataDirPage.Values[0]) of
      0: if MsgBox('The folder does not exist. Choose another one?', mbConfirmation, MB_YESNO) = IDYES then
         begin
           Chosen := String(SelDirectory('Choose the data folder', ''));
           // An empty answer is Cancel: the folder stays as it was.
           if Chosen <> '' then
             DataDirPage.Values[0] := Chosen;
           Result := False;
         end;
      2: Log('The data folder holds files already; they are kept.');
    end;
  end;
end;

// Tells whether the program found in a folder is at least the wanted version.
function AtLeast(const Executable, Wanted: String): Boolean;
var
  Found: String;
begin
  Found := String(QueryVersionInfo(Executable));
  // QueryNumFromInfo gives 0 for a text that is not a version; '' means no version resource.
  Result := (Found <> '') and
            (QueryNumFromInfo(Found, 1) >= QueryNumFromInfo(Wanted, 1));
end;

procedure CurStepChanged(CurStep: TSetupStep);
var
  Settings, Excel, Platnik, Ferrolin, Astrelo, Language: String;
begin
  if CurStep <> ssPostInstall then
    exit;
  Settings := ExpandConstant('{app}\settings.xml');

  // Single values by dotted paths. 0 means nothing was written and the file is as it was.
  if XMLAddNode(Settings, 'STARTUP.DATADIR', DataDirPage.Values[0]) = 0 then
    Log('could not write STARTUP.DATADIR into ' + Settings);
  Language := String(XMLGetNode(Settings, 'STARTUP.LANGUAGE'));
  if Language = 'Empty' then
    if XMLAddNode(Settings, 'STARTUP.LANGUAGE', 'PL') = 0 then
      Log('could not write STARTUP.LANGUAGE');

  // Where the other programs are, for the links the program offers.
  Excel := String(GetLastExcel());
  if Excel <> '' then
    XMLAddNode(Settings, 'STARTUP.LINKS.EXCEL', Excel);
  Platnik := String(GetLastPlatnik());
  if (Platnik <> '') and AtLeast(AddBackslash(Platnik) + 'p2.exe', '10.02.002') then
    XMLAddNode(Settings, 'STARTUP.LINKS.PLATNIK', Platnik);
  Ferrolin := String(GetLastFR());
  if Ferrolin <> '' then
    XMLAddNode(Settings, 'STARTUP.LINKS.FERROLIN', Ferrolin);
  Astrelo := String(GetLastAS());
  if Astrelo <> '' then
    Log('Astrelo is installed in ' + Astrelo);

  // The report of every installation found; 0 when a section could not be saved.
  if XMLSaveInstalledApps(Settings) = 0 then
    Log('the installed-applications report could not be written completely');

  // The program's own server needs an inbound exception; 0 when the firewall refused it.
  if AddToFirewall(ExpandConstant('{app}\vl.exe'), 'Velmora Example', 1) = 0 then
    MsgBox('The program could not be added to the Windows Firewall. Add it by hand to use it ' +
      'over the network.', mbInformation, MB_OK);
end;
