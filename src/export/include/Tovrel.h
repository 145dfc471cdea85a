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
/* The prefix followed by the 26 bytes "c:\Program Files\" and the Polish letters in
 * Windows-1250. */
TOVREL_API const char* TOVREL_CALL MyDllFunc(const char* Prefix);

#ifdef __cplusplus
}
#endif

#endif
