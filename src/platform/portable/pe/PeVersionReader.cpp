#include "platform/portable/pe/PeVersionReader.h"

#include <utility>

#include "platform/portable/pe/LittleEndian.h"

namespace tovrel::portable {
namespace {

constexpr std::uint16_t kDosSignature = 0x5A4D;     // "MZ"
constexpr std::uint32_t kPeSignature = 0x00004550;  // "PE\0\0"
constexpr std::uint16_t kPe32Magic = 0x010B;
constexpr std::uint16_t kPe32PlusMagic = 0x020B;
constexpr std::size_t kDosHeaderSize = 64;
constexpr std::size_t kLfanewOffset = 0x3C;
constexpr std::size_t kNtHeadersStart = 24;  // signature and file header
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::uint32_t kResourceDirectoryIndex = 2;
constexpr std::size_t kDataDirectorySize = 8;
constexpr std::size_t kResourceDirectoryHeaderSize = 16;
constexpr std::size_t kResourceEntrySize = 8;
constexpr std::size_t kResourceDataEntrySize = 16;
constexpr std::uint32_t kSubdirectoryFlag = 0x80000000;
constexpr std::uint16_t kVersionType = 16;  // RT_VERSION
constexpr std::uint16_t kVersionName = 1;   // VS_VERSION_INFO
constexpr std::uint16_t kNeutralLanguage = 0x0000;
constexpr std::uint16_t kUsEnglish = 0x0409;
// A version resource starts with its length as 16 bits, so nothing beyond this belongs to it.
constexpr std::uint32_t kMaxVersionResource = 0xFFFF;

std::optional<std::vector<std::uint8_t>> ReadBytes(const ByteSource& source, std::uint64_t offset,
                                                   std::size_t length) {
  // Checked before allocating, so that a hostile count cannot make a large buffer.
  if (offset > source.Size() || length > source.Size() - offset) return std::nullopt;
  std::vector<std::uint8_t> bytes(length);
  if (!source.ReadAt(offset, bytes)) return std::nullopt;
  return bytes;
}

struct Section {
  std::uint32_t virtual_address;
  std::uint32_t raw_size;
  std::uint32_t raw_offset;
};

struct ResourceEntry {
  std::uint32_t name;
  std::uint32_t offset;
  [[nodiscard]] bool HasId(std::uint16_t id) const { return name == id; }
  [[nodiscard]] bool IsSubdirectory() const { return (offset & kSubdirectoryFlag) != 0; }
  [[nodiscard]] std::uint32_t Target() const { return offset & ~kSubdirectoryFlag; }
};

// The image as its sections lay it out in the file: relative virtual addresses are read from the
// raw data of the section that holds them.
class Image {
 public:
  Image(const ByteSource& source, std::vector<Section> sections)
      : source_(source), sections_(std::move(sections)) {}

  // The bytes at a relative virtual address; nullopt unless they all lie in one section's raw
  // data and in the file.
  [[nodiscard]] std::optional<std::vector<std::uint8_t>> Read(std::uint64_t rva,
                                                              std::size_t length) const {
    for (const Section& section : sections_) {
      if (rva < section.virtual_address) continue;
      const std::uint64_t into = rva - section.virtual_address;
      if (into >= section.raw_size) continue;
      if (length > section.raw_size - into) return std::nullopt;
      return ReadBytes(source_, section.raw_offset + into, length);
    }
    return std::nullopt;
  }

 private:
  const ByteSource& source_;
  std::vector<Section> sections_;
};

// The entries of the resource directory at `offset` from the root of the resources.
std::optional<std::vector<ResourceEntry>> ReadDirectory(const Image& image, std::uint64_t root,
                                                        std::uint32_t offset) {
  const auto header = image.Read(root + offset, kResourceDirectoryHeaderSize);
  if (!header) return std::nullopt;
  const std::size_t count = std::size_t{Le16(*header, 12)} + Le16(*header, 14);
  const auto table =
      image.Read(root + offset + kResourceDirectoryHeaderSize, count * kResourceEntrySize);
  if (!table) return std::nullopt;
  std::vector<ResourceEntry> entries;
  entries.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    entries.push_back(
        {Le32(*table, i * kResourceEntrySize), Le32(*table, i * kResourceEntrySize + 4)});
  }
  return entries;
}

std::optional<ResourceEntry> FindId(const std::vector<ResourceEntry>& entries, std::uint16_t id) {
  for (const ResourceEntry& entry : entries) {
    if (entry.HasId(id)) return entry;
  }
  return std::nullopt;
}

// The subdirectory that the entry with the given id leads to.
std::optional<std::vector<ResourceEntry>> Subdirectory(const Image& image, std::uint64_t root,
                                                       const std::vector<ResourceEntry>& entries,
                                                       std::uint16_t id) {
  const auto entry = FindId(entries, id);
  if (!entry || !entry->IsSubdirectory()) return std::nullopt;
  return ReadDirectory(image, root, entry->Target());
}

std::optional<ResourceEntry> ChooseLanguage(const std::vector<ResourceEntry>& languages) {
  for (const std::uint16_t preferred : {kNeutralLanguage, kUsEnglish}) {
    if (const auto entry = FindId(languages, preferred)) return entry;
  }
  if (languages.empty()) return std::nullopt;
  return languages.front();
}

std::optional<std::vector<Section>> ReadSections(const ByteSource& source, std::uint64_t offset,
                                                 std::size_t count) {
  const auto table = ReadBytes(source, offset, count * kSectionHeaderSize);
  if (!table) return std::nullopt;
  std::vector<Section> sections;
  sections.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = i * kSectionHeaderSize;
    sections.push_back({Le32(*table, at + 12), Le32(*table, at + 16), Le32(*table, at + 20)});
  }
  return sections;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadPeVersionResource(const ByteSource& source) {
  const auto dos = ReadBytes(source, 0, kDosHeaderSize);
  if (!dos || Le16(*dos, 0) != kDosSignature) return std::nullopt;
  const std::uint64_t nt_offset = Le32(*dos, kLfanewOffset);

  const auto nt = ReadBytes(source, nt_offset, kNtHeadersStart);
  if (!nt || Le32(*nt, 0) != kPeSignature) return std::nullopt;
  const std::size_t section_count = Le16(*nt, 6);
  const std::size_t optional_size = Le16(*nt, 20);

  // The optional header's layout depends on its magic; only the directories up to the
  // resource directory are read.
  const auto magic = ReadBytes(source, nt_offset + kNtHeadersStart, 2);
  if (!magic) return std::nullopt;
  std::size_t count_offset = 0;
  if (Le16(*magic, 0) == kPe32Magic) {
    count_offset = 92;
  } else if (Le16(*magic, 0) == kPe32PlusMagic) {
    count_offset = 108;
  } else {
    return std::nullopt;
  }
  const std::size_t directory_offset =
      count_offset + 4 + kResourceDirectoryIndex * kDataDirectorySize;
  if (optional_size < directory_offset + kDataDirectorySize) return std::nullopt;
  const auto optional =
      ReadBytes(source, nt_offset + kNtHeadersStart, directory_offset + kDataDirectorySize);
  if (!optional || Le32(*optional, count_offset) <= kResourceDirectoryIndex) return std::nullopt;
  const std::uint64_t resource_root = Le32(*optional, directory_offset);
  if (Le32(*optional, directory_offset + 4) == 0) return std::nullopt;

  auto sections = ReadSections(source, nt_offset + kNtHeadersStart + optional_size, section_count);
  if (!sections) return std::nullopt;
  const Image image(source, std::move(*sections));

  const auto types = ReadDirectory(image, resource_root, 0);
  if (!types) return std::nullopt;
  const auto names = Subdirectory(image, resource_root, *types, kVersionType);
  if (!names) return std::nullopt;
  const auto languages = Subdirectory(image, resource_root, *names, kVersionName);
  if (!languages) return std::nullopt;
  const auto language = ChooseLanguage(*languages);
  if (!language || language->IsSubdirectory()) return std::nullopt;

  const auto data_entry = image.Read(resource_root + language->Target(), kResourceDataEntrySize);
  if (!data_entry) return std::nullopt;
  const std::uint32_t size = Le32(*data_entry, 4);
  return image.Read(Le32(*data_entry, 0), size < kMaxVersionResource ? size : kMaxVersionResource);
}

}  // namespace tovrel::portable
