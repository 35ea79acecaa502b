#include "repair/publisher_check.h"

#include "trusted_publishers_list.h"

namespace repair {

const std::vector<std::string>& TrustedPublishers() {
  static const std::vector<std::string> names{TESSA_TRUSTED_PUBLISHER_NAMES};
  return names;
}

}  // namespace repair
