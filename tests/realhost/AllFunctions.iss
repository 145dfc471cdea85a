; Calls every function of Tovrel.dll from Setup and logs each answer as a line
; "CALL name = answer"; text answers are given in brackets and then as UTF-16 code units, so that
; the passing of ANSI text is checked whatever the log's own encoding. Compiled with
; /DTovrelDir=<the unpacked release archive>.

[Setup]
AppName=Tovrel calls
AppVersion=1.0
CreateAppDir=no
Uninstallable=no
PrivilegesRequired=lowest
OutputBaseFilename=AllFunctions

[Files]
Source: "{#TovrelDir}\x86\Tovrel.dll"; Flags: dontcopy

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
end;
