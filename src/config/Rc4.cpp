#include "config/Rc4.h"

#include <array>
#include <cstdint>
#include <numeric>
#include <utility>

namespace tovrel {

std::string Rc4(std::string_view key, std::string_view data) {
  std::array<std::uint8_t, 256> state{};
  std::iota(state.begin(), state.end(), std::uint8_t{0});
  std::uint8_t j = 0;
  for (std::size_t i = 0; i < state.size(); ++i) {
    j = static_cast<std::uint8_t>(j + state[i] + static_cast<std::uint8_t>(key[i % key.size()]));
    std::swap(state[i], state[j]);
  }
  std::string out(data);
  std::uint8_t i = 0;
  j = 0;
  for (char& byte : out) {
    i = static_cast<std::uint8_t>(i + 1);
    j = static_cast<std::uint8_t>(j + state[i]);
    std::swap(state[i], state[j]);
    byte = static_cast<char>(static_cast<std::uint8_t>(byte) ^
                             state[static_cast<std::uint8_t>(state[i] + state[j])]);
  }
  return out;
}

}  // namespace tovrel
