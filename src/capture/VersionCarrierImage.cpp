#include "capture/VersionCarrierImage.h"

#include <cstddef>

namespace tovrel::capture {
namespace {

constexpr std::uint32_t kFileAlignment = 0x200;
constexpr std::uint32_t kSectionAlignment = 0x1000;
constexpr std::uint32_t kPeHeaderOffset = 0x40;
constexpr std::uint16_t kOptionalHeaderSize = 0xE0;
constexpr std::uint32_t kResourceRva = kSectionAlignment;
constexpr std::uint32_t kResourceFileOffset = kFileAlignment;
// The resource tree: root, type and name directories of one entry each, then the data entry,
// then the data.
constexpr std::uint32_t kTypeDirectory = 0x18;
constexpr std::uint32_t kNameDirectory = 0x30;
constexpr std::uint32_t kDataEntry = 0x48;
constexpr std::uint32_t kData = 0x58;
constexpr std::uint32_t kSubdirectory = 0x80000000;
constexpr std::uint32_t kRtVersion = 16;
constexpr std::uint32_t kVersionName = 1;

constexpr std::uint32_t AlignUp(std::uint32_t value, std::uint32_t alignment) {
  return (value + alignment - 1) / alignment * alignment;
}

class ImageBytes {
 public:
  void U16(std::uint16_t value) { Little(value, 2); }
  void U32(std::uint32_t value) { Little(value, 4); }
  void Text(const char* text, std::size_t size) { bytes_.append(text, size); }
  void PadTo(std::size_t size) { bytes_.resize(size, '\0'); }
  void Append(std::span<const std::uint8_t> data) {
    bytes_.append(reinterpret_cast<const char*>(data.data()), data.size());
  }
  [[nodiscard]] std::size_t size() const { return bytes_.size(); }
  [[nodiscard]] std::string take() { return std::move(bytes_); }

  // A resource directory with one entry naming an id.
  void Directory(std::uint32_t id, std::uint32_t target) {
    U32(0);  // characteristics
    U32(0);  // time stamp
    U16(0);  // major version
    U16(0);  // minor version
    U16(0);  // named entries
    U16(1);  // id entries
    U32(id);
    U32(target);
  }

 private:
  void Little(std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) bytes_.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
  }
  std::string bytes_;
};

}  // namespace

std::string VersionCarrierImage(std::span<const std::uint8_t> version_resource) {
  const auto section_size = static_cast<std::uint32_t>(kData + version_resource.size());
  const std::uint32_t raw_size = AlignUp(section_size, kFileAlignment);
  ImageBytes image;

  image.Text("MZ", 2);
  image.PadTo(0x3C);
  image.U32(kPeHeaderOffset);
  image.PadTo(kPeHeaderOffset);

  image.Text("PE\0\0", 4);
  image.U16(0x014C);  // i386
  image.U16(1);       // one section
  image.U32(0);       // time stamp
  image.U32(0);       // symbol table
  image.U32(0);       // symbols
  image.U16(kOptionalHeaderSize);
  image.U16(0x0102);  // an executable image for a 32-bit machine

  const std::size_t optional_header = image.size();
  image.U16(0x010B);  // PE32
  image.U16(0);       // linker version
  image.U32(0);       // code size
  image.U32(raw_size);
  image.U32(0);  // uninitialised data
  image.U32(0);  // entry point: none, the image is only read
  image.U32(kResourceRva);
  image.U32(kResourceRva);
  image.U32(0x00400000);  // image base
  image.U32(kSectionAlignment);
  image.U32(kFileAlignment);
  image.U16(4);  // operating system version
  image.U16(0);
  image.U16(0);  // image version
  image.U16(0);
  image.U16(4);  // subsystem version
  image.U16(0);
  image.U32(0);  // reserved
  image.U32(kResourceRva + AlignUp(section_size, kSectionAlignment));
  image.U32(kFileAlignment);  // headers
  image.U32(0);               // checksum
  image.U16(2);               // Windows GUI
  image.U16(0);               // DLL characteristics
  image.U32(0x00100000);      // stack reserve
  image.U32(0x00001000);      // stack commit
  image.U32(0x00100000);      // heap reserve
  image.U32(0x00001000);      // heap commit
  image.U32(0);               // loader flags
  image.U32(16);              // data directories
  for (std::uint32_t directory = 0; directory < 16; ++directory) {
    const bool resources = directory == 2;
    image.U32(resources ? kResourceRva : 0);
    image.U32(resources ? section_size : 0);
  }
  image.PadTo(optional_header + kOptionalHeaderSize);

  image.Text(".rsrc\0\0\0", 8);
  image.U32(section_size);
  image.U32(kResourceRva);
  image.U32(raw_size);
  image.U32(kResourceFileOffset);
  image.U32(0);  // relocations
  image.U32(0);  // line numbers
  image.U16(0);
  image.U16(0);
  image.U32(0x40000040);  // initialised data, readable
  image.PadTo(kResourceFileOffset);

  image.Directory(kRtVersion, kSubdirectory | kTypeDirectory);
  image.Directory(kVersionName, kSubdirectory | kNameDirectory);
  image.Directory(0, kDataEntry);  // language neutral
  image.U32(kResourceRva + kData);
  image.U32(static_cast<std::uint32_t>(version_resource.size()));
  image.U32(0);  // code page
  image.U32(0);  // reserved
  image.Append(version_resource);
  image.PadTo(kResourceFileOffset + raw_size);
  return image.take();
}

}  // namespace tovrel::capture
