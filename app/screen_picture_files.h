#pragma once
// ⑤'s tiles ("gallery/tile/<name>") and screen copies ("gallery/screen/<name>")
// for the photos in "Pelvora", kept up to date from one run to the next, and
// "gallery/data/screen.js" naming the photos that have a screen copy.
#include <string>
#include <vector>

#include "app/ui_port.h"
#include "platform/result.h"

// What a run has to do, decided from the folders' listings and the files'
// modification times alone: a photo whose tile exists and is not older than
// it (nor its screen copy, when it has one) is done.
struct ScreenPicturePlan {
  std::vector<std::string> toMake;  // photo names, ascending
  std::vector<std::string> stale;   // tiles and screen copies of photos no longer there
};
ScreenPicturePlan PlanScreenPictures(const std::vector<std::string>& photos);

// Makes what the plan says on up to two threads, with progress as the
// thumbnail step shows it, removes the stale files and writes screen.js.
// A photo that cannot be decoded gets an empty tile (the menu then shows its
// thumbnail) and no screen copy. Fails with the message naming the first file
// that could not be written; a stop asked for through progress ends quietly.
platform::Status UpdateScreenPictures(UiPort& ui);
