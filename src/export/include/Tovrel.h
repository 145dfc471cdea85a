/* The exported functions of Tovrel.dll. Text parameters are zero-terminated strings in the ANSI
 * code page; a null pointer is the empty text. A returned text belongs to the library and stays
 * valid until the next call that returns text: copy it before then. Flags read only their low
 * byte. No call may run concurrently with another. */
#ifndef TOVREL_H
#define TOVREL_H

#include <stdint.h>

#if defined(_WIN32)
#define TOVREL_CALL __stdcall
#define TOVREL_API
#else
#define TOVREL_CALL
#define TOVREL_API __attribute__((visibility("default")))
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

#ifdef __cplusplus
}
#endif

#endif
