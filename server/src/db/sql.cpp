#include "db/sql.h"

#include <cstdlib>

namespace catalogue {

int64_t SqlResult::int_at(size_t row, size_t column) const {
  return strtoll(rows[row][column].c_str(), nullptr, 10);
}

}  // namespace catalogue
