#include "fileutil/DirectoryPart.h"

namespace tovrel {

WideText DirectoryPart(WideView path) {
  const std::size_t last = path.find_last_of(u"\\:");
  if (last == WideView::npos) return {};
  const bool drop_backslash =
      path[last] == u'\\' && last >= 1 && path[last - 1] != u'\\' && path[last - 1] != u':';
  return WideText(path.substr(0, drop_backslash ? last : last + 1));
}

}  // namespace tovrel
