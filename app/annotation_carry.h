#pragma once
// Titles and memos follow their photo by file name when the photo numbers
// change: ④ renumbers the saved ones after the photo list, and texts
// registered but not saved are put back at their photo's new number.
#include <optional>
#include <string>
#include <vector>

#include "app/data_tables.h"
#include "app/shared_state.h"

// What ④ is about to rewrite, as the gallery's data files hold it.
struct PreviousAnnotations {
  // Entry n: photo n's name as "filename.js" writes it, or nothing when the
  // file has no entry n.
  std::vector<std::optional<std::string>> names;
  DataTables tables;            // the title and memo lines of every number
  std::optional<int> topPhoto;  // "k" of "gallerytoppic.js", when it has one
};

PreviousAnnotations ReadPreviousAnnotations();

struct CarriedAnnotations {
  int kept = 0;                 // photos still listed whose title or memo went along
  int dropped = 0;              // earlier photos whose non-empty title or memo did not
  std::optional<int> topPhoto;  // the top photo's new number, when it changes
};

// The title and memo lines of tables for photos 1 … photoCount of the
// listing, each taken from the earlier entry of the same name. An entry
// "filename.js" does not name stays at its number; a photo new to the gallery
// gets empty texts; a text that no longer fits its line at the new number is
// dropped. The top photo follows its name, back to 1 when it is gone.
CarriedAnnotations CarryAnnotations(const PreviousAnnotations& previous, const SharedState& state,
                                    DataTables& tables);

// The registered, unsaved texts into the tables: the theme, and each photo's
// title and memo at the number its name has in the listing.
void ApplyUnsavedTexts(const SharedState& state, DataTables& tables);
