#include <string>

#include "Tovrel.h"
#include "export/ExportBoundary.h"

using tovrel::Call;
using tovrel::Module;

extern "C" {

const char* TOVREL_CALL MyDllFunc(const char* Prefix) {
  return tovrel::AnsiTextExport(u"MyDllFunc", [&](Module& module, Call& call) {
    call.Takes(module.FromHost(Prefix));
    // "c:\Program Files\" and the Polish letters in Windows-1250, whatever the code page.
    constexpr char kSuffix[] = "c:\\Program Files\\\xB9\xE6\xEA\xB3\xF1\xF3\x9C\xBF\x9F";
    return std::string(Prefix ? Prefix : "") + kSuffix;
  });
}

const TovrelWideChar* TOVREL_CALL MyDllFuncW(const TovrelWideChar* Prefix) {
  return tovrel::WideTextExport(u"MyDllFuncW", [&](Module&, Call& call) {
    tovrel::WideText text = Module::FromWide(Prefix);
    call.Takes(text);
    return text + u"c:\\Program Files\\\u0105\u0107\u0119\u0142\u0144\u00F3\u015B\u017C\u017A";
  });
}

}  // extern "C"
