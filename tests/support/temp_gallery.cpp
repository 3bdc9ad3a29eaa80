#include "tests/support/temp_gallery.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string_view>

#include "platform/fault_injection.h"

namespace fs = std::filesystem;

namespace {

// A new folder of a random name under the system's temporary folder (mkdtemp
// is POSIX only).
fs::path MakeTempFolder() {
  std::random_device seed;
  std::mt19937_64 random(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path folder = fs::temp_directory_path() / ("vornami-test-" + std::to_string(random()));
    if (fs::create_directory(folder)) return folder;
  }
  throw std::runtime_error("no temporary folder could be made");
}

}  // namespace

TempGallery::TempGallery(bool layOut) {
  root_ = MakeTempFolder();
  previous_ = fs::current_path();
  fs::current_path(root_);
  if (layOut) {
    for (const char* dir :
         {"Pelvora", "gallery/data", "gallery/thumbnail", "gallery/notes", "gallery/section/pic",
          "gallery/section/title", "gallery/section/action", "gallery/section/information"})
      fs::create_directories(dir);
  }
}

TempGallery::~TempGallery() {
  platform::SetFaultHook(nullptr);
  std::error_code ec;
  fs::current_path(previous_, ec);
  fs::remove_all(root_, ec);
}

void TempGallery::WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  if (!out) throw std::runtime_error("cannot write " + path);
}

void TempGallery::WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  WriteFile(path, std::string(bytes.begin(), bytes.end()));
}

std::string TempGallery::ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

bool TempGallery::Exists(const std::string& path) { return fs::exists(path); }

std::string SamplesDir() {
  const char* dir = VORNAMI_SAMPLES_DIR;
  if (fs::is_directory(dir)) return dir;
  // CI tests the real photos: there a missing folder fails the test that asked.
  const char* ci = std::getenv("CI");
  if (ci && std::string_view(ci) == "true")
    ADD_FAILURE() << dir << " is missing; CI runs the tests on the real photos";
  return {};
}
