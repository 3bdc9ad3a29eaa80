#pragma once
// Bringing a gallery laid out by an earlier version up to this one: its fixed
// pages and shared scripts (the files of the gallery template) that are older
// than the program's, or carry no version at all, are replaced by the
// template's, each first copied into "vornami-backup/<date-time>/" at its
// relative path. Photos, data files and the pages ⑤ writes are never touched.
#include <string>
#include <vector>

#include "platform/result.h"

// The version a fixed page or shared script carries ("vornami-version: 8.0"
// in its first comment); empty when it carries none.
std::string FixedPageVersion(const std::string& bytes);

// The template's files, as paths relative to it, that the gallery in
// galleryDir has in an older version, or without one, or not at all.
std::vector<std::string> OutdatedFixedPages(const std::string& templateDir,
                                            const std::string& galleryDir);

// True when the gallery has a fixed page or shared script older than the
// program's, or without a version (missing ones do not count).
bool HasOlderFixedPages(const std::string& templateDir, const std::string& galleryDir);

struct UpgradeDone {
  std::vector<std::string> replaced;  // relative paths, as OutdatedFixedPages gave them
  std::string backupDir;              // relative to galleryDir; empty when nothing was backed up
};

// Replaces the outdated files of the gallery in the current folder, first
// backing up every existing one into one "vornami-backup/<stamp>/" folder
// (BackUpGalleryFiles). Fails with the path that could not be copied or
// written; when a write fails, files replaced before it stay replaced.
platform::Result<UpgradeDone> UpgradeFixedPages(const std::string& templateDir,
                                                const std::string& stamp);
