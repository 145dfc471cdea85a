#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <type_traits>

#include "export/Call.h"
#include "export/Module.h"

namespace tovrel {

// Each export's body runs on the module and its call inside one registry call
// (platform/Registry.h), which may then read a sample machine's registry files once for the
// whole call. An exception ends the call with the neutral answer, and its listener hears why.
// The listener hears of the call before the result is stored, so that nothing it does can
// change the answer handed back.

// Runs the body inside the boundary; `finish` turns what it gave into the export's answer and
// tells the listener. `neutral` is the answer when the boundary itself fails.
template <typename Answer, typename Body, typename Finish>
Answer RunExport(WideView name, Answer neutral, Body& body, Finish&& finish) noexcept {
  try {
    Module& module = TheModule();
    const RegistryCall registry_call(*module.platform().registry);
    Call call(name);
    using Result = std::decay_t<decltype(body(module, call))>;
    Result result{};
    try {
      result = body(module, call);
    } catch (const std::exception& failure) {
      call.Failed(failure);
    }
    return finish(module, call, result);
  } catch (...) {
    return neutral;
  }
}

// An integer export; 0 when anything fails.
template <typename Body>
std::int32_t IntegerExport(WideView name, Body&& body) noexcept {
  return RunExport(name, std::int32_t{0}, body, [](Module&, Call& call, std::int32_t answer) {
    if (call.heard()) call.Answered(WidenAscii(std::to_string(answer)));
    return answer;
  });
}

// An 8-bit text export, whose body gives UTF-16 text to convert to the ANSI code page, or the
// bytes themselves; the empty text when anything fails. The listener hears the answer as the
// caller gets it, and what the code page could not hold.
template <typename Body>
const char* AnsiTextExport(WideView name, Body&& body) noexcept {
  return RunExport(name, "", body, [](Module& module, Call& call, const auto& result) {
    using Result = std::decay_t<decltype(result)>;
    const AnsiCodePage& code_page = *module.platform().code_page;
    AnsiText bytes;
    if constexpr (std::is_same_v<Result, AnsiText>) {
      bytes = result;
    } else {
      bytes = code_page.ToAnsi(result);
    }
    if (call.heard()) {
      WideText shown = code_page.ToWide(bytes);
      if constexpr (!std::is_same_v<Result, AnsiText>) {
        if (shown != result) {
          call.Because([&] {
            return Reasons{
                {ReasonKind::kNote, u"code page " + WidenAscii(std::to_string(code_page.Number())) +
                                        u" cannot hold every character of " + Quoted(result) +
                                        u"; the caller gets " + Quoted(shown) +
                                        u"; the W function passes it whole"}};
          });
        }
      }
      call.Answered(Quoted(shown));
    }
    return module.SetResult(bytes);
  });
}

// A wide text export; the empty text when anything fails.
template <typename Body>
const TovrelWideChar* WideTextExport(WideView name, Body&& body) noexcept {
  static constexpr TovrelWideChar kEmpty[1] = {};
  return RunExport(name, &kEmpty[0], body, [](Module& module, Call& call, const WideText& result) {
    if (call.heard()) call.Answered(Quoted(result));
    return module.SetWideResult(result);
  });
}

}  // namespace tovrel
