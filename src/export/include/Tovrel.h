/* The exported functions of Tovrel.dll, in two families that answer alike.
 *
 * The wide family, each name ending in W, takes and returns zero-terminated UTF-16 text
 * (TovrelWideChar), so every character passes whole; new callers should use it. The 8-bit family
 * takes and returns text in the ANSI code page, where a character the code page lacks is lost.
 *
 * A null text pointer is the empty text. A returned text is never null, belongs to the library
 * and stays valid until the next call of the same family that returns text: copy it before then.
 * The two families keep their results apart. Flags read only their low byte. No call may run
 * concurrently with another.
 *
 * TovrelSetLog registers a function that hears every call of either family: a line with the call
 * and its answer, and for a negative answer (0, "Empty", "", version 0) lines with the reason;
 * a lookup also tells what it chose and why it passed the others over. Lines are zero-terminated
 * UTF-16, whole, without a line break; each is valid only during the call that hands it over. The
 * function is called on the calling thread before the call returns; a call it makes itself is
 * not heard. With no function registered nothing is formatted. The function uses the calling
 * convention of the exports (stdcall in the 32-bit DLL), the one Inno Setup's CreateCallback
 * gives a script procedure. */
#ifndef TOVREL_H
#define TOVREL_H

#include <stdint.h>

#if defined(_WIN32)
#define TOVREL_CALL __stdcall
#define TOVREL_API
typedef wchar_t TovrelWideChar;
#else
#define TOVREL_CALL
#define TOVREL_API __attribute__((visibility("default")))
#ifdef __cplusplus
typedef char16_t TovrelWideChar;
#else
typedef uint_least16_t TovrelWideChar;
#endif
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Sets the text of the node a dotted path names in an XML file, creating missing nodes, and
 * saves the file: 1 when saved, 0 with the file unchanged otherwise. */
TOVREL_API int32_t TOVREL_CALL XMLAddNode(const char* FileName, const char* NodePath,
                                          const char* Value);
/* Writes the installed-applications report (Office generations, Velmora, Astrelo and Ferrolin
 * installations, Platnik) into the sections STARTUP.INSTALLEDAPPS.EXCEL, .VL, .AS, .FR and
 * .PLATNIK of an XML settings file: 1 when every section that had to change was saved, 0 when a
 * section could not be written (that section's file is left as it was). */
TOVREL_API int32_t TOVREL_CALL XMLSaveInstalledApps(const char* FileName);
/* The text of the node a dotted path names in an XML file, or "Empty". */
TOVREL_API const char* TOVREL_CALL XMLGetNode(const char* FileName, const char* NodePath);
/* The folder of the Excel program of the newest Office generation installed, or "". */
TOVREL_API const char* TOVREL_CALL GetLastExcel(void);
/* Shows the folder browser with the caption as its instruction and the root (empty for the
 * desktop) at the top of its tree: the folder the user chose, or empty when the user cancels. The
 * installer's windows on the calling thread take no input while it is open. */
TOVREL_API const char* TOVREL_CALL SelDirectory(const char* Caption, const char* Root);
/* Lists the executable as an authorised application of the current firewall profile under the
 * name, enabled when the low byte of Enable is not 0, unless it is listed already (the entry is
 * then left as it is), the firewall is off or the profile allows no exceptions. 1 in all those
 * cases, 0 when the firewall cannot be reached or refuses the entry. */
TOVREL_API int32_t TOVREL_CALL AddToFirewall(const char* ImagePath, const char* Name,
                                             uint32_t Enable);
/* The prefix followed by the 26 bytes "c:\Program Files\" and the Polish letters in
 * Windows-1250. */
TOVREL_API const char* TOVREL_CALL MyDllFunc(const char* Prefix);
/* The "FileVersion" text of an executable's version resource, from its Polish 1250, US English
 * 1252 or language-neutral 1252 block, the first that has it; empty when there is none. */
TOVREL_API const char* TOVREL_CALL QueryVersionInfo(const char* FileName);
/* A dotted version text packed as major * 100 + minor, or with WithRelease (low byte not 0)
 * major * 10000 + minor * 100 + release: 9.30.1.71 gives 930 or 93001. Fields count only when a
 * "." follows them; 0 without a "." or when a field used is not an integer. */
TOVREL_API int32_t TOVREL_CALL QueryNumFromInfo(const char* VersionText, uint32_t WithRelease);
/* 1 when the directory is empty, 2 when it holds anything (hidden entries too), 0 when the path
 * is not an existing directory. */
TOVREL_API int32_t TOVREL_CALL IsDirectoryEmpty(const char* Directory);
/* The folder of the e-filing program's newest executable, under its newest edition that has one
 * with a version, or "". A folder at a drive's root keeps its backslash. */
TOVREL_API const char* TOVREL_CALL GetLastFR(void);
/* The folder of the Platnik payer program registered by its uninstall entry, when its executable
 * has a version, or "". */
TOVREL_API const char* TOVREL_CALL GetLastPlatnik(void);
/* The directory of the latest Velmora installation, as registered (or as its settings file
 * redirects it), within the newest edition that has one, or "". */
TOVREL_API const char* TOVREL_CALL GetLastVL(void);
/* The directory of the latest Astrelo installation, as GetLastVL, or "". */
TOVREL_API const char* TOVREL_CALL GetLastAS(void);

/* The wide family: the same answers, in UTF-16. MyDllFuncW appends "c:\Program Files\" and the
 * Polish letters as UTF-16, whatever the code page. */
TOVREL_API int32_t TOVREL_CALL XMLAddNodeW(const TovrelWideChar* FileName,
                                           const TovrelWideChar* NodePath,
                                           const TovrelWideChar* Value);
TOVREL_API int32_t TOVREL_CALL XMLSaveInstalledAppsW(const TovrelWideChar* FileName);
TOVREL_API const TovrelWideChar* TOVREL_CALL XMLGetNodeW(const TovrelWideChar* FileName,
                                                         const TovrelWideChar* NodePath);
TOVREL_API const TovrelWideChar* TOVREL_CALL GetLastExcelW(void);
TOVREL_API const TovrelWideChar* TOVREL_CALL SelDirectoryW(const TovrelWideChar* Caption,
                                                           const TovrelWideChar* Root);
TOVREL_API int32_t TOVREL_CALL AddToFirewallW(const TovrelWideChar* ImagePath,
                                              const TovrelWideChar* Name, uint32_t Enable);
TOVREL_API const TovrelWideChar* TOVREL_CALL MyDllFuncW(const TovrelWideChar* Prefix);
TOVREL_API const TovrelWideChar* TOVREL_CALL QueryVersionInfoW(const TovrelWideChar* FileName);
TOVREL_API int32_t TOVREL_CALL QueryNumFromInfoW(const TovrelWideChar* VersionText,
                                                 uint32_t WithRelease);
TOVREL_API int32_t TOVREL_CALL IsDirectoryEmptyW(const TovrelWideChar* Directory);
TOVREL_API const TovrelWideChar* TOVREL_CALL GetLastFRW(void);
TOVREL_API const TovrelWideChar* TOVREL_CALL GetLastPlatnikW(void);
TOVREL_API const TovrelWideChar* TOVREL_CALL GetLastVLW(void);
TOVREL_API const TovrelWideChar* TOVREL_CALL GetLastASW(void);

/* A function that hears one line of the log. */
typedef void(TOVREL_CALL* TovrelLogProc)(const TovrelWideChar* Line);
/* Registers the function that hears every call; null unregisters it. */
TOVREL_API void TOVREL_CALL TovrelSetLog(TovrelLogProc Proc);

#ifdef __cplusplus
}
#endif

#endif
