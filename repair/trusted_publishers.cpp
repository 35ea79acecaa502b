#include <algorithm>

#include "repair/publisher_check.h"
#include "trusted_publishers_list.h"

namespace repair {

const std::vector<TrustedPublisher>& PinnedPublishers() {
  static const std::vector<TrustedPublisher> publishers{TESSA_TRUSTED_PUBLISHER_ROOT_KEYS};
  return publishers;
}

const std::vector<std::string>& TrustedPublishers() {
  static const std::vector<std::string> names{TESSA_TRUSTED_PUBLISHER_NAMES};
  return names;
}

bool PublisherPinned(const std::vector<TrustedPublisher>& publishers, const std::string& name,
                     const std::string& rootKey) {
  if (name.empty() || rootKey.empty()) return false;
  return std::any_of(publishers.begin(), publishers.end(), [&](const TrustedPublisher& publisher) {
    return publisher.name == name &&
           std::find(publisher.rootKeys.begin(), publisher.rootKeys.end(), rootKey) != publisher.rootKeys.end();
  });
}

std::string HexOf(const unsigned char* bytes, size_t size) {
  static const char kDigits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(2 * size);
  for (size_t i = 0; i < size; ++i) {
    hex += kDigits[bytes[i] >> 4];
    hex += kDigits[bytes[i] & 15];
  }
  return hex;
}

}  // namespace repair
