#include <exception>

#include "Tovrel.h"
#include "export/ByteFlag.h"
#include "export/ExportBoundary.h"
#include "fileutil/DirectoryEmpty.h"
#include "fileutil/VersionInfo.h"
#include "fileutil/VersionText.h"
#include "reasons/FileUtilReasons.h"

namespace tovrel {
namespace {

WideText FileVersion(Module& module, Call& call, const WideText& file) {
  call.Takes(file);
  WideText version = GetVersionInfoItem(*module.platform().versions, file, u"FileVersion");
  if (version.empty()) {
    call.Because([&] { return QueryVersionInfoReasons(*module.platform().files, file); });
  }
  return version;
}

std::int32_t NumberFromInfo(Call& call, const WideText& text, std::uint32_t with_release) {
  call.Takes(text, with_release);
  std::int32_t number = 0;
  try {
    number = VersionTextToNumber(text, ByteFlag(with_release));
  } catch (const std::exception&) {
    // A field that is not an integer gives 0, as a text without a version does.
  }
  if (number == 0) call.Because([&] { return QueryNumFromInfoReasons(text); });
  return number;
}

std::int32_t DirectoryEmpty(Module& module, Call& call, const WideText& directory) {
  call.Takes(directory);
  const auto state = CheckDirectoryEmpty(*module.platform().directories, directory);
  if (state == DirectoryState::kNotADirectory) {
    call.Because([&] { return IsDirectoryEmptyReasons(*module.platform().files, directory); });
  }
  return static_cast<std::int32_t>(state);
}

}  // namespace
}  // namespace tovrel

using tovrel::Call;
using tovrel::Module;

extern "C" {

const char* TOVREL_CALL QueryVersionInfo(const char* FileName) {
  return tovrel::AnsiTextExport(u"QueryVersionInfo", [&](Module& module, Call& call) {
    return tovrel::FileVersion(module, call, module.FromHost(FileName));
  });
}

const TovrelWideChar* TOVREL_CALL QueryVersionInfoW(const TovrelWideChar* FileName) {
  return tovrel::WideTextExport(u"QueryVersionInfoW", [&](Module& module, Call& call) {
    return tovrel::FileVersion(module, call, Module::FromWide(FileName));
  });
}

int32_t TOVREL_CALL QueryNumFromInfo(const char* VersionText, uint32_t WithRelease) {
  return tovrel::IntegerExport(u"QueryNumFromInfo", [&](Module& module, Call& call) {
    return tovrel::NumberFromInfo(call, module.FromHost(VersionText), WithRelease);
  });
}

int32_t TOVREL_CALL QueryNumFromInfoW(const TovrelWideChar* VersionText, uint32_t WithRelease) {
  return tovrel::IntegerExport(u"QueryNumFromInfoW", [&](Module&, Call& call) {
    return tovrel::NumberFromInfo(call, Module::FromWide(VersionText), WithRelease);
  });
}

int32_t TOVREL_CALL IsDirectoryEmpty(const char* Directory) {
  return tovrel::IntegerExport(u"IsDirectoryEmpty", [&](Module& module, Call& call) {
    return tovrel::DirectoryEmpty(module, call, module.FromHost(Directory));
  });
}

int32_t TOVREL_CALL IsDirectoryEmptyW(const TovrelWideChar* Directory) {
  return tovrel::IntegerExport(u"IsDirectoryEmptyW", [&](Module& module, Call& call) {
    return tovrel::DirectoryEmpty(module, call, Module::FromWide(Directory));
  });
}

}  // extern "C"
