// Errors of the catalogue archive reader. The texts are the ones the user
// sees after the locator's leading line break.
#pragma once

#include <string>

#include "catalogue/errors.h"

namespace varnett {

// The archive file could not be opened: "Cannot open file "%s". %s".
class EFOpenError : public CatalogueError {
 public:
  using CatalogueError::CatalogueError;
};

// No end of central directory record: "Incomplete Zip File".
class EIncompleteZip : public CatalogueError {
 public:
  EIncompleteZip() : CatalogueError("Incomplete Zip File") {}
};

// The directory is unreadable and the local headers could not stand in for it.
class EBadZipFile : public CatalogueError {
 public:
  EBadZipFile() : CatalogueError("Not a valid zip file!") {}
};

// Member data cannot be had: it ends early, or it claims more than we hold.
class EFatalUnzipError : public CatalogueError {
 public:
  using CatalogueError::CatalogueError;
};

// zlib refused the deflated data.
class EZCompressionError : public CatalogueError {
 public:
  EZCompressionError() : CatalogueError("error") {}
};

// The target stream took fewer bytes than it was given.
class ECantWriteUCF : public CatalogueError {
 public:
  ECantWriteUCF() : CatalogueError("Cant write uncompressed file") {}
};

// Raised inside extraction only: the decoded data outgrew the recorded size.
// ExtractMember absorbs it and the member fails.
class EBiggerThanUncompressed : public CatalogueError {
 public:
  EBiggerThanUncompressed() : CatalogueError("File is larger than uncompressed size!") {}
};

// Raised inside the directory list only: two entries share a key. The reader
// answers it by rebuilding the directory from the local headers.
class EListError : public CatalogueError {
 public:
  EListError() : CatalogueError("Duplicate Object index") {}
};

inline constexpr char kPrematureEnd[] = "Premature end of file reached";
inline constexpr char kMemberTooLarge[] = "Uncompressed size is too large";

}  // namespace varnett
