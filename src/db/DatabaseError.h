#pragma once
#include <stdexcept>

namespace spv::db {

// Every failure of the database layer: the message names the table and what went wrong.
class TDatabaseError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace spv::db
