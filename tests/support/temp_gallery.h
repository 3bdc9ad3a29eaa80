#pragma once
// A temporary folder made the current directory for one test, laid out as a
// gallery, and removed afterwards.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class TempGallery {
 public:
  // With layOut, creates the gallery's folders (no files).
  explicit TempGallery(bool layOut = true);
  ~TempGallery();
  TempGallery(const TempGallery&) = delete;
  TempGallery& operator=(const TempGallery&) = delete;

  const std::filesystem::path& root() const { return root_; }

  static void WriteFile(const std::string& path, const std::string& bytes);
  static void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
  static std::string ReadFile(const std::string& path);
  static bool Exists(const std::string& path);

 private:
  std::filesystem::path root_;
  std::filesystem::path previous_;
};

// The samples folder of real camera photos, or empty when it is absent. With
// CI=true in the environment an absent folder also fails the current test, so
// CI never skips the real photos quietly.
std::string SamplesDir();
#define SKIP_WITHOUT_SAMPLES()                                                              \
  do {                                                                                      \
    if (SamplesDir().empty())                                                               \
      GTEST_SKIP() << "../shared/samples is not beside this checkout; real photos skipped"; \
  } while (0)
