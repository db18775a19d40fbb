// Errors raised by the catalogue reader. Each carries the exact text that the
// locator shows to the user after a leading line break; callers that only
// want the text catch CatalogueError.
#pragma once

#include <stdexcept>
#include <string>

namespace varnett {

class CatalogueError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The table stream is malformed: wrong signature, a value of the wrong kind,
// or an item that runs past the end of the data.
class EReadError : public CatalogueError {
 public:
  using CatalogueError::CatalogueError;
};

// A table operation failed (for example an unknown field name).
class EDatabaseError : public CatalogueError {
 public:
  using CatalogueError::CatalogueError;
};

// A failure specific to the in-memory table and its stream format.
class EMemTableError : public EDatabaseError {
 public:
  using EDatabaseError::EDatabaseError;
};

}  // namespace varnett
