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

#ifdef __cplusplus
}
#endif

#endif
