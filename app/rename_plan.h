#pragma once
// ① decides before it renames any photo: every listed photo is read first, and
// a photo that cannot be read, one without an Exif block, one without a
// shooting date, or a new name that two photos would get (the same second)
// stops the step with nothing renamed. Otherwise the photos move to their new
// names, those whose current name another photo takes through a temporary
// name in the same folder.
#include <functional>
#include <string>
#include <vector>

// One listed photo as read: its name and, when it has an Exif block with a
// usable shooting date, the name that date gives.
struct ReadPhoto {
  std::string name;
  bool exifBlock = false;
  std::string newName;   // empty: no usable shooting date
  bool readable = true;  // false: it could not be opened or read at all
};

enum class RenameProblem { kNone, kUnreadable, kNoExifBlock, kNoShootingDate, kSameName };

struct RenameMove {
  std::string from, to;
};

struct RenamePlan {
  // The kind found first in listing order (a shared name is found at its
  // second photo), and every photo of that kind, in listing order.
  RenameProblem problem = RenameProblem::kNone;
  std::vector<std::string> named;
  // The renames when there is no problem; photos that keep their name are left out.
  std::vector<RenameMove> moves;
};

// nameTaken tells whether a name is taken by anything in the folder besides
// the photos read (a folder, a photo not read); such a name counts as shared.
RenamePlan PlanRenames(const std::vector<ReadPhoto>& photos,
                       const std::function<bool(const std::string&)>& nameTaken);

// The temporary names a photo may pass through on its way to newName, the
// attempt-th (1, 2, ...) tried when the ones before are taken: names no date
// makes. A photo left under one is listed, and renamed, like any other.
std::string TemporaryPhotoName(const std::string& newName, int attempt);

// Where a photo is after the renames, and why it is not at its new name.
struct RenameOutcome {
  std::string name;  // its new name, or where it stayed when a rename failed
  int error = 0;     // the errno of the rename the file system refused; 0 when none
};

// Carries out the moves in dir (ending in "/"), never replacing a file. A
// photo whose current name another photo takes moves to a temporary name
// first (the next one when a name is taken, by a user's own photo say).
// Returns one outcome per move.
std::vector<RenameOutcome> CarryOutRenames(const std::string& dir,
                                           const std::vector<RenameMove>& moves);
