// Writes seed inputs for the fuzz targets from the synthetic fixtures:
// photos of either byte order with and without Exif IFD, maker note and
// thumbnail, damaged in the ways the readers must survive, and data files as
// a save writes them and as a hand edit might leave them.
//
// Usage: fuzz_seeds DIR [PHOTO...]
// writes DIR/<target>/<name> for every target, and the embedded thumbnail of
// every PHOTO to DIR/jpeg_decoder/ (the decoder's inputs in the editor).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/annotation_text.h"
#include "app/data_tables.h"
#include "app/line_rules.h"
#include "exif/embedded_thumbnail.h"
#include "exif/exif_reader.h"
#include "fuzz/data_tables_input.h"
#include "platform/encoding.h"
#include "platform/text_file.h"
#include "tests/support/exif_builder.h"

namespace {

namespace fs = std::filesystem;
using namespace fixture;

bool WriteSeed(const fs::path& dir, const std::string& name, const std::string& bytes) {
  fs::create_directories(dir);
  std::ofstream out(dir / name, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::string AsString(const std::vector<std::uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

// ---- Photos ----

std::vector<Entry> CanonNote() {
  std::vector<std::uint16_t> settings(30, 0);
  settings[1] = 2;
  settings[17] = 3;
  settings[19] = 0x3003;
  settings[20] = 1;
  settings[23] = 80;
  settings[24] = 28;
  std::vector<std::uint16_t> shot(16, 0);
  shot[7] = 1;
  shot[14] = 0x3002;
  shot[15] = 0x000C;
  return {
      Shorts(0x0001, settings),
      Shorts(0x0004, shot),
      Ascii(0x0006, "IMG:EOS D30 JPEG"),
      Ascii(0x0007, "Firmware Version 1.0.4"),
      Long(0x0008, 1001234),
      Ascii(0x0009, "Owner Name"),
      Long(0x000C, 0x00AB0000 | 291),
      Shorts(0x000F, {0x0101, 0x0200, 0x0301, 0x0D02}).OutOfLine(),
  };
}

std::vector<Entry> ExifItems(const std::string& date) {
  return {
      Rational(0x829A, 1, 250), Rational(0x829D, 56, 10),
      Short(0x8827, 200),       Undefined(0x9000, {'0', '2', '2', '0'}),
      Ascii(0x9003, date),      Ascii(0x9004, date),
      Rational(0x9102, 2, 1),   SRational(0x9201, 8, 1),
      Rational(0x9202, 5, 1),   SRational(0x9204, -2, 3),
      Rational(0x9205, 3, 1),   SRational(0x9206, 3, 2),
      Short(0x9207, 5),         Rational(0x920A, 50, 1),
      Long(0xA002, 640),        Long(0xA003, 480),
  };
}

ExifJpeg Photo(Order order, const std::string& make, const std::string& model) {
  ExifJpeg jpeg(order);
  jpeg.ifd0 = {Ascii(0x010F, make), Ascii(0x0110, model)};
  jpeg.exif = ExifItems("2003:08:03 09:05:00");
  jpeg.thumbnail = FakeThumbnail(160);
  return jpeg;
}

ExifJpeg CanonPhoto(Order order) {
  ExifJpeg jpeg = Photo(order, "Canon", "Canon EOS D30");
  jpeg.exif.push_back(SubDirectory(0x927C, CanonNote()));
  return jpeg;
}

void WritePhotoSeeds(const fs::path& dir) {
  auto seed = [&](const std::string& name, const ExifJpeg& jpeg) {
    WriteSeed(dir, name, AsString(jpeg.Build()));
  };
  seed("canon_little", CanonPhoto(Order::kLittle));
  seed("canon_big", CanonPhoto(Order::kBig));
  seed("other_maker", Photo(Order::kLittle, "NIKON CORPORATION", "NIKON D70"));

  {  // Canon settings that are out of every table, and odd values.
    ExifJpeg j = CanonPhoto(Order::kLittle);
    j.exif = {Rational(0x829A, 0, 0),
              Rational(0x829D, 0xFFFFFFFF, 1),
              Rational(0x829A, 46, 10),
              SRational(0x9201, -2147483647 - 1, 1),
              SRational(0x9201, 2147483647, 1),
              Rational(0x9202, 1, 0),
              SRational(0x9204, 0, -1),
              Rational(0x9206, 0xFFFFFFFF, 0xFFFFFFFF),
              Short(0x9207, 255),
              Rational(0x920A, 1, 3),
              Undefined(0x9000, {0, 0, 0, 0}),
              AsciiBytes(0x9003, "2003:08"),
              AsciiBytes(0x9004, "20030803091500"),
              SubDirectory(0x927C, {Shorts(0x0001, std::vector<std::uint16_t>(50, 0xFFFF)),
                                    Shorts(0x0004, {1, 2}), Shorts(0x000F, {0xFFFF, 0x0E00})})};
    seed("odd_values", j);
  }
  {  // No IFD1: IFD0's next offset is 0.
    ExifJpeg j = Photo(Order::kLittle, "Canon", "Canon PowerShot S40");
    j.thumbnail.reset();
    seed("no_thumbnail", j);
  }
  {  // The APP1 pair at the last position searched, behind a JFIF segment.
    ExifJpeg j = Photo(Order::kBig, "FUJIFILM", "FinePix6900ZOOM");
    j.app1Position = 49;
    seed("app1_at_49", j);
    j.prefix = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F',
                0,    1,    1,    0,    0,    1,    0,   1,   0,   0};
    seed("after_jfif", j);
  }
  {  // The Exif block after JFIF, ICC-profile and Photoshop segments, found
     // only by walking the segments; then a walk cut short by a length of 1.
    ExifJpeg j = Photo(Order::kLittle, "Canon", "Canon EOS D30");
    auto segment = [](std::uint8_t marker, std::size_t size, const std::string& start) {
      std::vector<std::uint8_t> bytes = {0xFF, marker, static_cast<std::uint8_t>((size + 2) >> 8),
                                         static_cast<std::uint8_t>(size + 2)};
      bytes.insert(bytes.end(), start.begin(), start.end());
      bytes.resize(size + 4, ' ');
      return bytes;
    };
    j.prefix = {0xFF, 0xD8};
    for (const auto& part : {segment(0xE0, 14, std::string("JFIF\0", 5)),
                             segment(0xE2, 600, std::string("ICC_PROFILE\0", 12)),
                             segment(0xED, 300, std::string("Photoshop 3.0\0", 14))})
      j.prefix.insert(j.prefix.end(), part.begin(), part.end());
    seed("after_segments", j);
    j.prefix.insert(j.prefix.end(), {0xFF, 0xE1, 0x00, 0x01});
    seed("segment_length_1", j);
  }
  {  // More than 100 entries, and tags that occur twice.
    ExifJpeg j = Photo(Order::kLittle, "Canon", "Canon EOS D60");
    for (int i = 0; i < 110; ++i)
      j.ifd0.push_back(Short(static_cast<std::uint16_t>(0x9000 + i), 1));
    j.exif.push_back(Ascii(0x9003, "2004:01:02 03:04:05"));
    j.exif.push_back(Ascii(0x9003, std::string("20\0", 3)));
    seed("many_entries", j);
  }
  {  // Thumbnails at and beyond the limits.
    ExifJpeg j = Photo(Order::kLittle, "Canon", "Canon EOS 40D");
    j.thumbnail = FakeThumbnail(32768);
    seed("thumbnail_32768", j);
    j.thumbnail.reset();
    j.ifd1 = {Long(0x0201, 0x100), Long(0x0202, 0xFFFFFFF0)};
    seed("thumbnail_negative", j);
    j.ifd1 = {Long(0x0201, 0xFFFFFFF0), Long(0x0202, 0x100)};
    seed("thumbnail_outside", j);
  }
  {  // Offsets that point outside or wrap around.
    ExifJpeg j = Photo(Order::kLittle, "Canon", "Canon EOS D30");
    j.blobs.push_back({4, {0xF8, 0xFF, 0xFF, 0xFF}});  // IFD0 offset
    seed("ifd0_outside", j);
    ExifJpeg k = CanonPhoto(Order::kBig);
    k.ifd0.push_back(Raw(0x8769, 4, 1, 0xFFFFFFFE));
    k.ifd0.push_back(Raw(0x010F, 2, 0xFFFFFFFF, 8));
    k.autoExifPointer = false;
    seed("pointers_outside", k);
  }
  {  // Dates whose fields hold zeros, a slash, or nothing.
    for (const auto& [name, date] : std::vector<std::pair<std::string, std::string>>{
             {"date_slash", "2003/08/03 09:05:00"},
             {"date_zeros", std::string("2003\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 19)},
             {"date_long", std::string(150, '9')},
             {"date_empty", ""},
             {"date_only", std::string("1999:12:31\0\0\0\0\0\0\0\0\0\0", 20)},
             {"date_hash", std::string("2019:01:01 00:00:#1\0", 20)},
             {"date_blanks", std::string("    :  :     :  :  \0", 20)}}) {
      ExifJpeg j = Photo(Order::kLittle, "Canon", "Canon EOS D30");
      j.exif = {AsciiBytes(0x9003, date)};
      seed(name, j);
    }
    // An empty date held in the entry itself: its value field is no offset.
    ExifJpeg j = Photo(Order::kBig, "Canon", "Canon EOS D30");
    j.exif = {Ascii(0x9003, "")};
    seed("date_empty_in_entry", j);
  }
}

// ---- Data files ----

std::string Sjis(const std::string& utf8) { return *platform::Utf8ToSjis(utf8); }

std::string Disk(const std::string& text) { return platform::ToCrLf(text); }

void WriteDataSeeds(const fs::path& dir) {
  auto seed = [&](const std::string& name, const fuzz::DataFilesInput& input) {
    WriteSeed(dir, name, fuzz::JoinDataFilesInput(input));
  };

  fuzz::DataFilesInput none;
  none.photoCount = 3;
  seed("missing_files", none);

  // What a save writes after registering texts for a few photos.
  DataTables t;
  LoadDataTables(t, 5, [](const char* path) {
    return platform::Result<platform::TextFileReader>(platform::Fail(path));
  });
  auto reg = [&](annotation::Field field, const std::string& utf8, int n, std::string& line) {
    auto composed = annotation::ComposeFromEdit(field, utf8, n);
    if (composed) line = *composed;
  };
  using annotation::Field;
  reg(Field::kTheme, "旅の写真 \"夏\" C:\\photos", 1, t.subject[2]);
  reg(Field::kTitle, "表示と能力", 1, t.title[3]);
  reg(Field::kTitle, "quote \" and backslash \\", 2, t.title[4]);
  reg(Field::kTitle, "ソ十ポ", 3, t.title[5]);
  reg(Field::kMemo, "一行目\r\n二行目\r\n<b>太字</b>", 1, t.memo[3]);
  reg(Field::kMemo, std::string(900, 'x'), 2, t.memo[4]);
  t.colour[2] = lines::ComposeColour(kColourPrefix[0], "#123abc");
  fuzz::DataFilesInput saved;
  saved.photoCount = 5;
  saved.files = {Disk(SubjectFileText(t)), Disk(TitleFileText(t, 5)), Disk(MemoFileText(t, 5)),
                 Disk(ColourFileText(t))};
  seed("saved", saved);

  // Hand-edited files: long lines, lone CR and LF, zero bytes, no final line end,
  // a lead byte at the end of a line, a gallery of 1000 photos with few lines.
  fuzz::DataFilesInput edited;
  edited.photoCount = 1000;
  edited.files = {
      Disk("h1\nh2\nvar subjectName=\"" + std::string(250, 'a') + "\";\n"),
      "h1\rh2\nh3\r\ntitleName[1]=\"" + Sjis("日本") + "\x81\";\r\ntitleName[2]=\"\\\\\\\"\";",
      std::string("h1\nh2\nh3\nnote[1]=\"a\0b<br>c\";\n", 28) + "note[2]=\"" +
          std::string(1200, '\\') + "\";\n",
      Disk("c\nc\nvar bgColor=\"#zz\";\nc\nvar vrntitleColor=\"\";\n"),
  };
  seed("edited", edited);

  fuzz::DataFilesInput empty;
  empty.photoCount = 2;
  empty.files = {std::string(), std::string(), std::string(), std::string()};
  seed("empty_files", empty);
}

// ---- Thumbnails ----

bool WriteThumbnailSeed(const fs::path& dir, const std::string& photo) {
  ExifReader reader;
  if (!reader.Load(photo)) return false;
  if (!reader.FindExifBlock()) return true;
  auto thumbnail = EmbeddedThumbnail(reader);
  if (!thumbnail) return true;
  return WriteSeed(dir, fs::path(photo).stem().string() + "_thumbnail",
                   std::string(thumbnail->begin(), thumbnail->end()));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s DIR [PHOTO...]\n", argv[0]);
    return 2;
  }
  const fs::path out = argv[1];
  WritePhotoSeeds(out / "exif_walk");
  WritePhotoSeeds(out / "date_thumbnail");
  WriteDataSeeds(out / "data_tables");
  fs::create_directories(out / "jpeg_decoder");
  for (int i = 2; i < argc; ++i) {
    if (!WriteThumbnailSeed(out / "jpeg_decoder", argv[i])) {
      std::fprintf(stderr, "cannot read %s\n", argv[i]);
      return 1;
    }
  }
  return 0;
}
