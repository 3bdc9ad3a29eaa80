#include "app/rename_plan.h"

#include <algorithm>
#include <cerrno>
#include <map>
#include <set>
#include <variant>

#include "platform/file_rename.h"

RenamePlan PlanRenames(const std::vector<ReadPhoto>& photos,
                       const std::function<bool(const std::string&)>& nameTaken) {
  const std::size_t n = photos.size();
  const std::size_t none = n;
  // Where each kind is found first.
  std::size_t firstUnreadable = none, firstNoExif = none, firstUndated = none, firstShared = none;
  std::vector<bool> shared(n, false);

  std::map<std::string, std::vector<std::size_t>> byNewName;
  std::set<std::string> currentNames;
  for (std::size_t i = 0; i < n; ++i) {
    currentNames.insert(photos[i].name);
    if (!photos[i].readable) {
      if (firstUnreadable == none) firstUnreadable = i;
    } else if (!photos[i].exifBlock) {
      if (firstNoExif == none) firstNoExif = i;
    } else if (photos[i].newName.empty()) {
      if (firstUndated == none) firstUndated = i;
    } else {
      byNewName[photos[i].newName].push_back(i);
    }
  }
  for (const auto& [newName, group] : byNewName) {
    if (group.size() > 1) {
      for (std::size_t i : group) shared[i] = true;
      firstShared = std::min(firstShared, group[1]);
    } else if (photos[group[0]].name != newName && !currentNames.count(newName) &&
               nameTaken(newName)) {
      shared[group[0]] = true;
      firstShared = std::min(firstShared, group[0]);
    }
  }

  RenamePlan plan;
  const std::size_t first = std::min({firstUnreadable, firstNoExif, firstUndated, firstShared});
  if (first == none) {
    for (const ReadPhoto& p : photos)
      if (p.name != p.newName) plan.moves.push_back({p.name, p.newName});
    return plan;
  }
  for (std::size_t i = 0; i < n; ++i) {
    const ReadPhoto& p = photos[i];
    bool ofKind = first == firstUnreadable ? !p.readable
                  : first == firstNoExif   ? p.readable && !p.exifBlock
                  : first == firstUndated  ? p.exifBlock && p.newName.empty()
                                           : shared[i];
    if (ofKind) plan.named.push_back(p.name);
  }
  plan.problem = first == firstUnreadable ? RenameProblem::kUnreadable
                 : first == firstNoExif   ? RenameProblem::kNoExifBlock
                 : first == firstUndated  ? RenameProblem::kNoShootingDate
                                          : RenameProblem::kSameName;
  return plan;
}

std::string TemporaryPhotoName(const std::string& newName, int attempt) {
  return (attempt == 1 ? std::string("vornami-tmp-")
                       : "vornami-tmp" + std::to_string(attempt) + "-") +
         newName;
}

namespace {

// Enough names for every photo the tables hold to have left one behind.
constexpr int kTemporaryNameAttempts = 1001;

// Moves the photo aside under the first temporary name nothing has: a name
// taken meanwhile is never replaced, the next one is tried. The name it
// took, or the errno of the refusal.
std::variant<std::string, int> StepAside(const std::string& dir, const RenameMove& move) {
  for (int attempt = 1; attempt <= kTemporaryNameAttempts; ++attempt) {
    const std::string aside = TemporaryPhotoName(move.to, attempt);
    if (platform::RenameNoReplace(dir + move.from, dir + aside)) return aside;
    if (errno != EEXIST) return errno;
  }
  return EEXIST;
}

}  // namespace

std::vector<RenameOutcome> CarryOutRenames(const std::string& dir,
                                           const std::vector<RenameMove>& moves) {
  std::set<std::string> targets;
  for (const RenameMove& m : moves) targets.insert(m.to);

  // First every photo that stands on another's new name steps aside, so that
  // swapped or chained names never meet.
  std::vector<RenameOutcome> outcomes(moves.size());
  for (std::size_t i = 0; i < moves.size(); ++i) {
    outcomes[i].name = moves[i].from;
    if (!targets.count(moves[i].from)) continue;
    auto aside = StepAside(dir, moves[i]);
    if (const std::string* name = std::get_if<std::string>(&aside))
      outcomes[i].name = *name;
    else
      outcomes[i].error = std::get<int>(aside);
  }
  for (std::size_t i = 0; i < moves.size(); ++i) {
    if (outcomes[i].error) continue;
    if (platform::RenameNoReplace(dir + outcomes[i].name, dir + moves[i].to))
      outcomes[i].name = moves[i].to;
    else
      outcomes[i].error = errno;
  }
  return outcomes;
}
