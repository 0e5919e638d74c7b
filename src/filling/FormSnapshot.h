#pragma once

#include "directories/DirectoryItem.h"

#include <map>
#include <string>
#include <vector>

class IFormDocument;

// The text and check fields of a page at one moment, by name; fields of the same
// name keep the order in which they were found. Each entry has the shape of a
// directory's form item: name, kind (Edit or Checkbox), index among the fields of
// its name, and the value ("true"/"false" for check boxes and radio buttons).
using FormSnapshot = std::multimap<std::string, DirectoryItem>;

// Takes a snapshot of the inputs, then the text areas, of a document. Hidden,
// password and other typed inputs are not captured but still count for the
// index of their name; drop-downs are not part of it.
FormSnapshot takeFormSnapshot(const IFormDocument& document);

// The fields of the later snapshot whose value differs from the first field of
// the same name in the earlier one, in name order. Names the earlier snapshot
// does not have are left out.
std::vector<DirectoryItem> snapshotDifference(const FormSnapshot& later, const FormSnapshot& earlier);
