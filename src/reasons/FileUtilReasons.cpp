#include "reasons/FileUtilReasons.h"

#include "reasons/FileReasons.h"

namespace tovrel {

Reasons QueryVersionInfoReasons(const FileSystem& files, WideView file) {
  if (auto reason = UnreadableFileReason(files, file)) return {std::move(*reason)};
  return {{ReasonKind::kNegative,
           Quoted(file) +
               u" has no FileVersion in a Polish 1250 or English or neutral 1252 block of a "
               u"version resource"}};
}

Reasons QueryNumFromInfoReasons(WideView version_text) {
  return {{ReasonKind::kNegative,
           Quoted(version_text) +
               u" gives no number: a field counts only when a '.' follows it, and a field that "
               u"is not an integer makes it 0"}};
}

Reasons IsDirectoryEmptyReasons(const FileSystem& files, WideView directory) {
  if (directory.empty() || files.Describe(directory).kind == FileKind::kMissing) {
    return {{ReasonKind::kUnusableInput, Quoted(directory) + u": no such directory"}};
  }
  return {{ReasonKind::kNegative, Quoted(directory) + u" is not a directory that can be listed"}};
}

}  // namespace tovrel
