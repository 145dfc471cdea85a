#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <vector>

#include "fileutil/DirectoryEmpty.h"
#include "fileutil/VersionInfo.h"
#include "platform/portable/PosixDirectoryListing.h"
#include "platform/portable/pe/ByteSource.h"
#include "platform/portable/pe/LittleEndian.h"
#include "platform/portable/pe/PeVersionReader.h"
#include "platform/portable/pe/PeVersionResources.h"
#include "platform/portable/pe/VersionResourceInfo.h"
#include "support/ScopedEnv.h"
#include "support/TestFiles.h"
#include "support/VersionFixtures.h"

namespace tovrel::portable {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes FixtureBytes(std::string_view name, std::string_view architecture) {
  const std::string image = test::ReadBytes(test::VersionFixture(name, architecture));
  return Bytes(image.begin(), image.end());
}

// Counts what the reader asks for, to show that it reads the headers and the resource only.
class CountingSource final : public ByteSource {
 public:
  explicit CountingSource(const Bytes& bytes) : inner_(bytes) {}
  [[nodiscard]] std::uint64_t Size() const override { return inner_.Size(); }
  [[nodiscard]] bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const override {
    read_ += out.size();
    return inner_.ReadAt(offset, out);
  }
  [[nodiscard]] std::uint64_t read() const { return read_; }

 private:
  MemoryByteSource inner_;
  mutable std::uint64_t read_ = 0;
};

TEST(PeVersionReader, ReadsTheHeadersAndTheResourceOnly) {
  for (const auto& architecture : test::FixtureArchitectures()) {
    const Bytes image = FixtureBytes("languages", architecture);
    const CountingSource source(image);
    const auto resource = ReadPeVersionResource(source);
    ASSERT_TRUE(resource) << architecture;
    EXPECT_LE(source.read(), resource->size() + 1024) << architecture;
    EXPECT_LT(source.read(), image.size() / 2) << architecture;
  }
}

TEST(PeVersionReader, EveryCutOfAnImageGivesTheWholeResourceOrNothing) {
  for (const auto& architecture : test::FixtureArchitectures()) {
    const Bytes image = FixtureBytes("languages", architecture);
    const auto whole = ReadPeVersionResource(MemoryByteSource(image));
    ASSERT_TRUE(whole);
    for (std::size_t length = 0; length < image.size(); ++length) {
      const auto cut = ReadPeVersionResource(MemoryByteSource(std::span(image).first(length)));
      if (cut) {
        ASSERT_EQ(*cut, *whole) << architecture << " cut at " << length;
      }
    }
  }
}

void Put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + static_cast<std::size_t>(i)] = (value >> (8 * i)) & 0xFF;
}

TEST(PeVersionReader, HeadersPointingOutsideTheFileGiveNothing) {
  const Bytes image = FixtureBytes("languages", "x86_64");
  const std::size_t nt = Le32(image, 0x3C);

  Bytes far_headers = image;
  Put32(far_headers, 0x3C, 0xFFFFFFF0u);
  EXPECT_FALSE(ReadPeVersionResource(MemoryByteSource(far_headers)));

  Bytes many_sections = image;
  many_sections[nt + 6] = 0xFF;
  many_sections[nt + 7] = 0xFF;
  EXPECT_FALSE(ReadPeVersionResource(MemoryByteSource(many_sections)));

  Bytes no_sections = image;
  no_sections[nt + 6] = 0;
  no_sections[nt + 7] = 0;
  EXPECT_FALSE(ReadPeVersionResource(MemoryByteSource(no_sections)));

  // The resource directory entry of the 64-bit optional header, moved out of every section.
  Bytes stray_resources = image;
  Put32(stray_resources, nt + 24 + 112 + 2 * 8, 0x7FFFFFF0u);
  EXPECT_FALSE(ReadPeVersionResource(MemoryByteSource(stray_resources)));

  const Bytes not_pe = {'M', 'Z'};
  EXPECT_FALSE(ReadPeVersionResource(MemoryByteSource(not_pe)));
}

// A version block as the resource stores it: lengths, the key with its NUL, padding, the value,
// padding, the children.
Bytes Block(std::u16string_view key, const Bytes& value, std::uint16_t value_length, bool text,
            const std::vector<Bytes>& children = {}) {
  Bytes block(6);
  for (const char16_t c : key) {
    block.push_back(static_cast<std::uint8_t>(c & 0xFF));
    block.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  block.insert(block.end(), {0, 0});
  block.resize((block.size() + 3) & ~std::size_t{3});
  block.insert(block.end(), value.begin(), value.end());
  for (const Bytes& child : children) {
    block.resize((block.size() + 3) & ~std::size_t{3});
    block.insert(block.end(), child.begin(), child.end());
  }
  block[0] = static_cast<std::uint8_t>(block.size() & 0xFF);
  block[1] = static_cast<std::uint8_t>(block.size() >> 8);
  block[2] = static_cast<std::uint8_t>(value_length & 0xFF);
  block[3] = static_cast<std::uint8_t>(value_length >> 8);
  block[4] = text ? 1 : 0;
  return block;
}

Bytes Text(std::u16string_view text) {
  Bytes bytes;
  for (const char16_t c : text) bytes.insert(bytes.end(), {static_cast<std::uint8_t>(c), 0});
  return bytes;
}

Bytes Resource(const std::vector<Bytes>& strings, const Bytes& fixed = Bytes(52)) {
  return Block(u"VS_VERSION_INFO", fixed, static_cast<std::uint16_t>(fixed.size()), false,
               {Block(u"StringFileInfo", {}, 0, true, {Block(u"041504E2", {}, 0, true, strings)})});
}

std::optional<WideText> Query(const Bytes& resource, WideView item) {
  return VersionResourceInfo(resource).QueryText(u"\\StringFileInfo\\041504E2\\" + WideText(item));
}

TEST(VersionResourceInfo, AValueIsReadWithinItsLengthAndItsBlock) {
  const Bytes resource = Resource({
      Block(u"Empty", {}, 0, true),
      Block(u"Unterminated", Text(u"9.30"), 4, true),
      Block(u"Long", Text(u"1.2"), 40, true),
      Block(u"FileVersion", Text(WideView(u"9.30.1.71\0", 10)), 10, true),
  });
  // Without a value there is no text, whatever the next block holds.
  EXPECT_EQ(Query(resource, u"Empty"), u"");
  EXPECT_EQ(Query(resource, u"Unterminated"), u"9.30");
  EXPECT_EQ(Query(resource, u"Long"), u"1.2");
  EXPECT_EQ(Query(resource, u"FileVersion"), u"9.30.1.71");
  EXPECT_EQ(Query(resource, u"Missing"), std::nullopt);
}

TEST(VersionResourceInfo, BrokenBlocksEndTheSearch) {
  Bytes zero_length = Block(u"Zero", {}, 0, true);
  zero_length[0] = zero_length[1] = 0;
  EXPECT_EQ(Query(Resource({zero_length, Block(u"After", Text(u"x"), 1, true)}), u"After"),
            std::nullopt);

  Bytes no_nul = Block(u"Key", {}, 0, true);
  no_nul[0] = 10;  // ends inside the key
  EXPECT_EQ(Query(Resource({no_nul}), u"Key"), std::nullopt);

  Bytes too_long = Resource({Block(u"FileVersion", Text(u"9.30"), 4, true)});
  too_long[0] = too_long[1] = 0xFF;
  EXPECT_EQ(Query(too_long, u"FileVersion"), u"9.30");

  EXPECT_EQ(VersionResourceInfo({}).QueryText(u"\\"), std::nullopt);
  EXPECT_EQ(VersionResourceInfo({}).FileVersion(), std::nullopt);
}

TEST(VersionResourceInfo, TheFixedVersionNeedsAWholeFixedInformation) {
  Bytes fixed(52);
  fixed[8] = 30;
  fixed[10] = 9;
  fixed[14] = 1;
  const auto version = VersionResourceInfo(Resource({}, fixed)).FileVersion();
  ASSERT_TRUE(version);
  EXPECT_EQ(version->most_significant, 0x0009001Eu);
  EXPECT_EQ(version->least_significant, 0x00010000u);
  EXPECT_EQ(VersionResourceInfo(Resource({}, Bytes(48))).FileVersion(), std::nullopt);
}

class MachineFiles : public testing::Test {
 protected:
  test::TempDir dir_;
  test::ScopedEnv machine_{"TOVREL_MACHINE", dir_.path().c_str()};
};

TEST_F(MachineFiles, DrivePathsReachTheMachineFolder) {
  const auto folder = dir_.path() / "drives/c/Program Files/Velmora";
  std::filesystem::create_directories(folder);
  std::filesystem::copy_file(test::VersionFixture("languages", "i686"), folder / "Velmora.exe");
  const PeVersionResources versions;
  EXPECT_EQ(
      GetVersionInfoItem(versions, u"C:\\PROGRAM FILES\\velmora\\velmora.exe", u"FileVersion"),
      u"9.30.1.71");
  EXPECT_EQ(GetVersionInfoItem(versions, u"D:\\velmora.exe", u"FileVersion"), u"");

  const PosixDirectoryListing directories;
  std::filesystem::create_directories(dir_.path() / "drives/c/Empty");
  EXPECT_EQ(CheckDirectoryEmpty(directories, u"c:\\empty"), DirectoryState::kEmpty);
  EXPECT_EQ(CheckDirectoryEmpty(directories, u"C:\\Program Files\\Velmora"),
            DirectoryState::kNotEmpty);
}

}  // namespace
}  // namespace tovrel::portable
