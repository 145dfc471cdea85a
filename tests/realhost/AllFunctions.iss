; Calls every function of Tovrel.dll from Setup and logs each answer as a line
; "CALL name = answer"; text answers are given in brackets and then as UTF-16 code units, so that
; the passing of ANSI text is checked whatever the log's own encoding. Compiled with
; /DTovrelDir=<the unpacked release archive>.
;
; The 8-bit calls come first, with no log registered: the library must say nothing. Then
; TovrelLogToSetup sends every call to this log, and the wide family is called on a folder whose
; name no ANSI code page holds, beside the 8-bit calls on the same inputs. A probe DLL tells how
; many bytes a CreateCallback procedure takes off the stack: 4 for stdcall, 0 for cdecl.

[Setup]
AppName=Tovrel calls
AppVersion=1.0
CreateAppDir=no
Uninstallable=no
PrivilegesRequired=lowest
OutputBaseFilename=AllFunctions

[Files]
Source: "{#TovrelDir}\x86\Tovrel.dll"; Flags: dontcopy
Source: "CallbackProbe.dll"; Flags: dontcopy

[Code]
#include TovrelDir + "\Tovrel.iss"

function CodeUnits(const Text: String): String;
var
  I: Integer;
begin
  Result := '';
  for I := 1 to Length(Text) do
    Result := Result + ' ' + Format('%.4x', [Ord(Text[I])]);
end;

procedure LogText(const Call, Answer: String);
begin
  Log('CALL ' + Call + ' = [' + Answer + ']' + CodeUnits(Answer));
end;

procedure LogNumber(const Call: String; Answer: Integer);
begin
  Log('CALL ' + Call + ' = ' + IntToStr(Answer));
end;

function ProbeCallbackPop(Proc: Longword): Integer;
  external 'ProbeCallbackPop@files:CallbackProbe.dll stdcall';

procedure ProbeLine(Line: Longword);
begin
end;

function SetFileAttributes(FileName: String; Attributes: Longword): Boolean;
  external 'SetFileAttributesW@kernel32.dll stdcall';

// A name no ANSI code page holds whole: Cyrillic, CJK and a character outside the BMP.
function Far(): String;
begin
  Result := 'Київ 東京 ' + #$D83D + #$DE00;
end;

// The wide family on the far folder, then the 8-bit family on the same inputs.
procedure CallWide();
var
  Folder, Settings, Value: String;
begin
  Folder := 'C:\Dane\' + Far();
  Settings := Folder + '\settings.xml';
  Value := 'Firma ' + Far();
  ForceDirectories(Folder + '\pusty');
  ForceDirectories(Folder + '\wybór\Wybrany ' + Far());
  CopyFile('C:\calls\settings.xml', Settings, False);
  CopyFile(ExpandConstant('{tmp}\Tovrel.dll'), Folder + '\Tovrel.dll', False);
  // A Velmora 9.21 installation registered in the far folder.
  RegWriteStringValue(HKLM, 'SOFTWARE\Ostrik\VL921\1', 'Sciezka', Folder);
  SaveStringToFile(Folder + '\Velm_Prog.vba', 'x', False);
  SaveStringToFile(Folder + '\Velm.ini', '[Program]' + #13#10 + 'Numer=50' + #13#10, False);

  LogNumber('XMLAddNodeW far', XMLAddNodeW(Settings, 'STARTUP.FIRMA', Value));
  LogText('XMLGetNodeW far', XMLGetNodeW(Settings, 'STARTUP.FIRMA'));
  LogNumber('IsDirectoryEmptyW far empty', IsDirectoryEmptyW(Folder + '\pusty'));
  LogNumber('IsDirectoryEmptyW far', IsDirectoryEmptyW(Folder));
  LogText('QueryVersionInfoW far', QueryVersionInfoW(Folder + '\Tovrel.dll'));
  LogText('SelDirectoryW far', SelDirectoryW('Wybierz folder danych', Folder + '\wybór'));
  LogText('GetLastVLW', GetLastVLW());
  LogText('MyDllFuncW', MyDllFuncW('Ścieżka: '));
  LogNumber('XMLAddNode far', XMLAddNode(Settings, 'STARTUP.FIRMA', Value));
  LogText('XMLGetNode far', String(XMLGetNode(Settings, 'STARTUP.FIRMA')));
  LogNumber('IsDirectoryEmpty far', IsDirectoryEmpty(Folder));
  LogText('QueryVersionInfo far', String(QueryVersionInfo(Folder + '\Tovrel.dll')));
  LogText('GetLastVL', String(GetLastVL()));
  // The installers run after this one must not find it.
  RegDeleteKeyIncludingSubkeys(HKLM, 'SOFTWARE\Ostrik\VL921');
end;

// Negative answers, whose reasons the log must hold.
procedure CallNegative();
begin
  SaveStringToFile('C:\calls\tylko-odczyt.xml', '<R/>', False);
  SetFileAttributes('C:\calls\tylko-odczyt.xml', 1);
  SaveStringToFile('C:\calls\zle.xml', '<R>' + #10 + '  <a></b>' + #10 + '</R>' + #10, False);
  LogNumber('XMLAddNodeW read-only', XMLAddNodeW('C:\calls\tylko-odczyt.xml', 'A', 'x'));
  LogNumber('XMLAddNodeW not well-formed', XMLAddNodeW('C:\calls\zle.xml', 'R.A', 'x'));
  LogText('XMLGetNodeW missing node', XMLGetNodeW('C:\calls\settings.xml', 'STARTUP.BRAK.X'));
end;

procedure CurStepChanged(CurStep: TSetupStep);
var
  Settings: String;
begin
  if CurStep <> ssPostInstall then
    exit;
  Settings := 'C:\calls\settings.xml';
  LogText('MyDllFunc', String(MyDllFunc('Ścieżka: ')));
  LogText('QueryVersionInfo Tovrel.dll', String(QueryVersionInfo(ExpandConstant('{tmp}\Tovrel.dll'))));
  LogText('QueryVersionInfo missing', String(QueryVersionInfo('C:\calls\brak.exe')));
  LogNumber('QueryNumFromInfo 9.30.1.71 0', QueryNumFromInfo('9.30.1.71', 0));
  LogNumber('QueryNumFromInfo 9.30.1.71 1', QueryNumFromInfo('9.30.1.71', 1));
  LogNumber('QueryNumFromInfo 10.02.003 1', QueryNumFromInfo('10.02.003', 1));
  LogNumber('QueryNumFromInfo 10.02.003. 1', QueryNumFromInfo('10.02.003.', 1));
  LogNumber('QueryNumFromInfo wersja 0', QueryNumFromInfo('wersja', 0));
  LogNumber('IsDirectoryEmpty empty', IsDirectoryEmpty('C:\calls\empty'));
  LogNumber('IsDirectoryEmpty full', IsDirectoryEmpty('C:\calls\full'));
  LogNumber('IsDirectoryEmpty hidden', IsDirectoryEmpty('C:\calls\hidden'));
  LogNumber('IsDirectoryEmpty missing', IsDirectoryEmpty('C:\calls\brak'));
  LogText('XMLGetNode LANGUAGE', String(XMLGetNode(Settings, 'STARTUP.LANGUAGE')));
  LogText('XMLGetNode missing node', String(XMLGetNode(Settings, 'STARTUP.BRAK')));
  LogText('XMLGetNode missing file', String(XMLGetNode('C:\calls\brak.xml', 'STARTUP.LANGUAGE')));
  LogNumber('XMLAddNode FIRMA', XMLAddNode(Settings, 'STARTUP.FIRMA', 'Księgowość Łódź'));
  LogText('XMLGetNode FIRMA', String(XMLGetNode(Settings, 'STARTUP.FIRMA')));
  LogNumber('XMLAddNode new path', XMLAddNode(Settings, 'STARTUP.INSTALLEDAPPS.EXCEL', 'C:\Office'));
  LogNumber('XMLAddNode missing file', XMLAddNode('C:\calls\brak.xml', 'STARTUP.A', 'x'));
  LogText('GetLastExcel', String(GetLastExcel()));
  LogText('GetLastVL', String(GetLastVL()));
  LogText('GetLastAS', String(GetLastAS()));
  LogText('GetLastFR', String(GetLastFR()));
  LogText('GetLastPlatnik', String(GetLastPlatnik()));
  LogNumber('XMLSaveInstalledApps', XMLSaveInstalledApps(Settings));
  LogNumber('AddToFirewall', AddToFirewall('C:\calls\vl.exe', 'Velmora', 1));
  LogText('SelDirectory cancelled', String(SelDirectory('Wybierz folder danych', 'C:\calls\root')));
  LogText('SelDirectory chosen', String(SelDirectory('Wybierz folder danych', 'C:\calls\root')));
  LogNumber('CreateCallback stack pop', ProbeCallbackPop(CreateCallback(@ProbeLine)));
  LogNumber('TovrelLogToSetup', 1);
  TovrelLogToSetup();
  CallWide();
  CallNegative();
end;
