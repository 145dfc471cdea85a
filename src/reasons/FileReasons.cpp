#include "reasons/FileReasons.h"

namespace tovrel {
namespace {

Reason Unusable(WideText text) {
  return Reason{ReasonKind::kUnusableInput, std::move(text)};
}

}  // namespace

std::optional<Reason> UnreadableFileReason(const FileSystem& files, WideView file) {
  if (file.empty()) return Unusable(u"the file name is empty");
  const FileFacts facts = files.Describe(file);
  switch (facts.kind) {
    case FileKind::kMissing:
      return Unusable(Quoted(file) + u": no such file");
    case FileKind::kDirectory:
      return Unusable(Quoted(file) + u" is a directory");
    case FileKind::kOther:
      return Unusable(Quoted(file) + u" is no regular file (a pipe, socket or device)");
    case FileKind::kRegular:
      break;
  }
  if (facts.size == 0) return Unusable(Quoted(file) + u" is empty");
  return std::nullopt;
}

std::optional<Reason> UnwritableFileReason(const FileSystem& files, WideView file) {
  if (files.Describe(file).read_only) return Unusable(Quoted(file) + u" is read-only");
  return std::nullopt;
}

}  // namespace tovrel
