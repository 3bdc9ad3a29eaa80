#include "app/rename_plan.h"

#include <algorithm>
#include <map>
#include <set>

#include "platform/file_rename.h"

RenamePlan PlanRenames(const std::vector<ReadPhoto>& photos,
                       const std::function<bool(const std::string&)>& nameTaken) {
  const std::size_t n = photos.size();
  const std::size_t none = n;
  // Where each kind is found first.
  std::size_t firstNoExif = none, firstUndated = none, firstShared = none;
  std::vector<bool> shared(n, false);

  std::map<std::string, std::vector<std::size_t>> byNewName;
  std::set<std::string> currentNames;
  for (std::size_t i = 0; i < n; ++i) {
    currentNames.insert(photos[i].name);
    if (!photos[i].exifBlock) {
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
  const std::size_t first = std::min({firstNoExif, firstUndated, firstShared});
  if (first == none) {
    for (const ReadPhoto& p : photos)
      if (p.name != p.newName) plan.moves.push_back({p.name, p.newName});
    return plan;
  }
  for (std::size_t i = 0; i < n; ++i) {
    const ReadPhoto& p = photos[i];
    bool ofKind = first == firstNoExif    ? !p.exifBlock
                  : first == firstUndated ? p.exifBlock && p.newName.empty()
                                          : shared[i];
    if (ofKind) plan.named.push_back(p.name);
  }
  plan.problem = first == firstNoExif    ? RenameProblem::kNoExifBlock
                 : first == firstUndated ? RenameProblem::kNoShootingDate
                                         : RenameProblem::kSameName;
  return plan;
}

std::string TemporaryPhotoName(const std::string& newName) { return "vornami-tmp-" + newName; }

std::vector<std::string> CarryOutRenames(const std::string& dir,
                                         const std::vector<RenameMove>& moves) {
  std::set<std::string> targets;
  for (const RenameMove& m : moves) targets.insert(m.to);

  // First every photo that stands on another's new name steps aside, so that
  // swapped or chained names never meet.
  std::vector<std::string> current(moves.size());
  std::vector<bool> failed(moves.size(), false);
  for (std::size_t i = 0; i < moves.size(); ++i) {
    current[i] = moves[i].from;
    if (!targets.count(moves[i].from)) continue;
    const std::string aside = TemporaryPhotoName(moves[i].to);
    if (platform::RenameNoReplace(dir + moves[i].from, dir + aside)) {
      current[i] = aside;
    } else {
      failed[i] = true;
    }
  }
  for (std::size_t i = 0; i < moves.size(); ++i) {
    if (!failed[i] && platform::RenameNoReplace(dir + current[i], dir + moves[i].to))
      current[i] = moves[i].to;
  }
  return current;
}
