#pragma once

#include <string>
#include <string_view>

namespace tovrel {

// RC4 with the key's bytes: the keystream from its first byte XORed over the data. Enciphering
// and deciphering are the same operation. The key must not be empty.
std::string Rc4(std::string_view key, std::string_view data);

}  // namespace tovrel
