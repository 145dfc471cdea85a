; Declarations of the Tovrel.dll functions for Inno Setup 6 scripts. Include it in the [Code]
; section and list Tovrel.dll in [Files] with the dontcopy flag:
;
;   [Files]
;   Source: "Tovrel.dll"; Flags: dontcopy
;   [Code]
;   #include "Tovrel.iss"
;
; Text results belong to the DLL and stay valid only until the next call that returns text; an
; AnsiString assignment copies them, which is all a script needs to do. Flags are Integer
; parameters of which only the low byte counts (0 false, anything else true). Use the 64-bit DLL
; in installers built with ArchitecturesInstallIn64BitMode; both read the same registry view.

// Sets the text of the node a dotted path names (STARTUP.INSTALLEDAPPS.EXCEL) in an XML file,
// creating missing nodes, and saves the file. Returns 1 when saved, 0 with the file unchanged.
function XMLAddNode(FileName, NodePath, Value: AnsiString): Integer;
  external 'XMLAddNode@files:Tovrel.dll stdcall';

// The text of the node a dotted path names in an XML file; 'Empty' when the file or the node
// cannot be read.
function XMLGetNode(FileName, NodePath: AnsiString): PAnsiChar;
  external 'XMLGetNode@files:Tovrel.dll stdcall';

// The prefix followed by 'c:\Program Files\' and the Polish letters in Windows-1250; a check that
// the DLL loads and passes text.
function MyDllFunc(Prefix: AnsiString): PAnsiChar;
  external 'MyDllFunc@files:Tovrel.dll stdcall';

// The folder of the Excel program of the newest Office generation installed (found through the
// Windows Installer database), or '' when there is none.
function GetLastExcel(): PAnsiChar;
  external 'GetLastExcel@files:Tovrel.dll stdcall';
