#pragma once
// ① decides before it renames any photo: every listed photo is read first, and
// a photo without an Exif block, one without a shooting date, or a new name
// that two photos would get (the same second) stops the step with nothing
// renamed. Otherwise the photos move to their new names, those whose current
// name another photo takes through a temporary name in the same folder.
#include <functional>
#include <string>
#include <vector>

// One listed photo as read: its name and, when it has an Exif block with a
// usable shooting date, the name that date gives.
struct ReadPhoto {
  std::string name;
  bool exifBlock = false;
  std::string newName;  // empty: no usable shooting date
};

enum class RenameProblem { kNone, kNoExifBlock, kNoShootingDate, kSameName };

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

// The temporary name a photo passes through on its way to newName; a photo
// left under it is listed, and renamed, like any other.
std::string TemporaryPhotoName(const std::string& newName);

// Carries out the moves in dir (ending in "/"), never replacing a file. A
// photo whose current name another photo takes moves to its temporary name
// first. Returns the name each photo has afterwards, one per move: its new
// name, or where it stayed when a rename failed.
std::vector<std::string> CarryOutRenames(const std::string& dir,
                                         const std::vector<RenameMove>& moves);
