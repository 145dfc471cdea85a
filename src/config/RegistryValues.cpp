#include "config/RegistryValues.h"

#include "config/BracketRule.h"
#include "config/ProtectedText.h"
#include "platform/RegistryAccessor.h"

namespace tovrel {
namespace {

WideText KeyPath(WideView base_path, WideView path) {
  // No separator is added: BasePath comes without a trailing "\" and the key part starts with one.
  return WideText(base_path) + ExtractRegKeyPath(path);
}

}  // namespace

WideText ExtractRegKeyPath(WideView path) {
  const std::size_t last = path.rfind(u'\\');
  if (last == WideView::npos) return {};
  WideText key = u"\\" + WideText(path.substr(0, last + 1));
  key.pop_back();
  return key;
}

WideText ExtractRegValueName(WideView path) {
  const std::size_t last = path.rfind(u'\\');
  return WideText(last == WideView::npos ? path : path.substr(last + 1));
}

WideText ReadRegValue(const ConfigSources& sources, RegistryRoot root, WideView base_path,
                      WideView path, WideView default_value, StoredRegValue* stored_value) {
  RegistryAccessor accessor(sources.registry, root);
  if (!accessor.OpenKey(KeyPath(base_path, path))) return u"Err";
  WideText stored = accessor.ReadString(ExtractRegValueName(path));
  if (stored.empty()) stored = default_value;
  StoredText value = ApplyBracketRule(stored);
  if (stored_value) *stored_value = {std::move(stored), value.is_protected};
  if (!value.is_protected) return std::move(value.text);
  return DecryptAesText(sources.crypto, sources.code_page, sources.code_page.ToAnsi(value.text));
}

void ReadRegKeyNames(const ConfigSources& sources, RegistryRoot root, WideView base_path,
                     WideView path, std::vector<WideText>& list) {
  list.clear();
  RegistryAccessor accessor(sources.registry, root);
  if (accessor.OpenKey(KeyPath(base_path, path))) accessor.GetKeyNames(list);
}

}  // namespace tovrel
