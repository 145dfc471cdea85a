#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tovrel {

// Compares what a save writes, as it goes, with the bytes of the file it may replace, so that a
// save that would change nothing leaves the file alone. The file is read a block at a time,
// however large the pieces written, so the comparison never holds more than a block of it.
class SameBytes {
 public:
  // `size`: the file's; `readable`: whether it could be opened for the comparison.
  SameBytes(std::uintmax_t size, bool readable) : remaining_(size), same_(readable) {}

  // Compares the next bytes written with the file's next bytes, which `read_some(buffer, size)`
  // reads: how many it read, 0 or less at the end of the file or on failure.
  template <typename ReadSome>
  void Next(std::string_view written, ReadSome&& read_some) {
    if (!same_ || written.size() > remaining_) {
      same_ = false;
      return;
    }
    while (!written.empty()) {
      buffer_.resize(std::min(written.size(), kBlock));
      for (std::size_t got = 0; got < buffer_.size();) {
        const auto count = read_some(buffer_.data() + got, buffer_.size() - got);
        if (count <= 0) {
          same_ = false;
          return;
        }
        got += static_cast<std::size_t>(count);
      }
      if (written.substr(0, buffer_.size()) != buffer_) {
        same_ = false;
        return;
      }
      written.remove_prefix(buffer_.size());
      remaining_ -= buffer_.size();
    }
  }

  // True when everything written equals the whole file.
  [[nodiscard]] bool Same() const { return same_ && remaining_ == 0; }

 private:
  static constexpr std::size_t kBlock = 64 * 1024;
  std::uintmax_t remaining_;
  bool same_;
  std::string buffer_;
};

}  // namespace tovrel
