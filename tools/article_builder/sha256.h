// SHA-256, used to pin the source data and to fingerprint the built files so
// two builds can be compared at a glance.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace article_builder {

// Lower-case hex digest of `size` bytes.
std::string sha256Hex(const void* data, std::size_t size);

inline std::string sha256Hex(std::string_view bytes) { return sha256Hex(bytes.data(), bytes.size()); }

}  // namespace article_builder
