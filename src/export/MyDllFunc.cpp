#include <string>

#include "Tovrel.h"
#include "export/ExportBoundary.h"

extern "C" const char* TOVREL_CALL MyDllFunc(const char* Prefix) {
  return tovrel::TextExport([&](tovrel::Module&) {
    // "c:\Program Files\" and the Polish letters in Windows-1250, whatever the code page.
    constexpr char kSuffix[] = "c:\\Program Files\\\xB9\xE6\xEA\xB3\xF1\xF3\x9C\xBF\x9F";
    return std::string(Prefix ? Prefix : "") + kSuffix;
  });
}
