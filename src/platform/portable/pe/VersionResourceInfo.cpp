#include "platform/portable/pe/VersionResourceInfo.h"

#include <algorithm>
#include <span>

#include "platform/portable/pe/LittleEndian.h"

namespace tovrel::portable {
namespace {

constexpr std::size_t kBlockHeaderSize = 6;
constexpr std::size_t kFixedInfoSize = 52;
constexpr std::size_t kFileVersionOffset = 8;

constexpr std::size_t AlignUp(std::size_t offset) {
  return (offset + 3) & ~std::size_t{3};
}

// One block, within the bytes that its parent leaves for it.
struct Block {
  std::span<const std::uint8_t> bytes;  // cut to the block's own length
  std::size_t length;                   // as recorded, for stepping to the next sibling
  std::uint16_t value_length;           // in characters for text values, else in bytes
  WideText key;
  std::size_t value_offset;
  std::size_t children_offset;
};

std::optional<Block> ParseBlock(std::span<const std::uint8_t> available) {
  if (available.size() < kBlockHeaderSize) return std::nullopt;
  const std::size_t length = Le16(available, 0);
  if (length < kBlockHeaderSize) return std::nullopt;
  const auto bytes = available.first(std::min(length, available.size()));
  const std::uint16_t value_length = Le16(bytes, 2);
  const bool text = Le16(bytes, 4) != 0;

  WideText key;
  std::size_t at = kBlockHeaderSize;
  for (;; at += 2) {
    if (at + 2 > bytes.size()) return std::nullopt;
    const auto c = static_cast<char16_t>(Le16(bytes, at));
    if (c == u'\0') break;
    key.push_back(c);
  }
  const std::size_t value_offset = AlignUp(at + 2);
  const std::size_t value_size = std::size_t{value_length} * (text ? 2 : 1);
  return Block{bytes,          length,       value_length,
               std::move(key), value_offset, AlignUp(value_offset + value_size)};
}

std::optional<Block> FindChild(const Block& parent, WideView key) {
  std::size_t at = parent.children_offset;
  while (at < parent.bytes.size()) {
    auto child = ParseBlock(parent.bytes.subspan(at));
    if (!child) return std::nullopt;
    if (EqualsIgnoreCase(child->key, key)) return child;
    at += AlignUp(child->length);
  }
  return std::nullopt;
}

}  // namespace

std::optional<WideText> VersionResourceInfo::QueryText(WideView path) const {
  auto block = ParseBlock(bytes_);
  std::size_t start = 0;
  while (block && start <= path.size()) {
    const std::size_t end = std::min(path.find(u'\\', start), path.size());
    if (end > start) block = FindChild(*block, path.substr(start, end - start));
    start = end + 1;
  }
  if (!block) return std::nullopt;

  // The value holds at most its recorded length and ends at its first NUL; an entry recorded
  // without a value has no text, whatever bytes follow it.
  WideText text;
  for (std::size_t i = 0, at = block->value_offset;
       i < block->value_length && at + 2 <= block->bytes.size(); ++i, at += 2) {
    const auto c = static_cast<char16_t>(Le16(block->bytes, at));
    if (c == u'\0') break;
    text.push_back(c);
  }
  return text;
}

std::optional<FixedFileVersion> VersionResourceInfo::FileVersion() const {
  const auto root = ParseBlock(bytes_);
  if (!root || root->value_length < kFixedInfoSize ||
      root->value_offset + kFixedInfoSize > root->bytes.size()) {
    return std::nullopt;
  }
  const std::size_t at = root->value_offset + kFileVersionOffset;
  return FixedFileVersion{Le32(root->bytes, at), Le32(root->bytes, at + 4)};
}

}  // namespace tovrel::portable
