// The camera maker's note: its tables, the custom functions and the bounds of
// its directory, arrays and strings.
#include "exif/maker_note.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/encoding.h"

namespace {

using maker_note::ApplyCustomFunctions;
using maker_note::ReadMakerNote;
using maker_note::SetCameraSettingTexts;
using maker_note::SetShotInfoTexts;

std::string Utf8(const std::string& sjis) { return platform::SjisToUtf8(sjis); }

// A camera settings array of 30 values, all 0xFF00 (listed in no table)
// except those given.
std::vector<std::uint16_t> Settings(
    std::initializer_list<std::pair<std::size_t, std::uint16_t>> set, std::size_t size = 30) {
  std::vector<std::uint16_t> values(size, 0xFF00);
  for (auto [index, value] : set) values.at(index) = value;
  return values;
}

struct ArrayCase {
  std::size_t index;
  std::uint16_t value;
  int item;
  const char* text;  // UTF-8; "" for no text
};

TEST(MakerNote, CameraSettingTables) {
  const ArrayCase cases[] = {
      {1, 1, 19, "マクロ"},
      {1, 2, 19, "ノーマル"},
      {1, 0, 19, ""},
      {4, 2, 20, "常時発光"},
      {4, 6, 20, "常時発光＋赤目防止"},
      {4, 16, 20, "外部フラッシュ使用"},
      {4, 7, 20, ""},
      {7, 0, 22, "ONE SHOT AF"},
      {7, 5, 22, "連続 FOCUS"},
      {7, 6, 22, "MF"},
      {7, 7, 22, ""},
      {10, 2, 23, "Small"},
      {10, 3, 23, ""},
      {11, 10, 24, "マクロ/クローズアップ"},
      {11, 11, 24, "パンフォーカス"},
      {11, 12, 24, ""},
      {13, 0xFFFF, 25, "弱く"},
      {13, 0xFFFE, 25, ""},
      {14, 1, 26, "濃く"},
      {14, 0xFFFF, 26, "薄く"},
      {15, 1, 27, "強く"},
      {17, 3, 28, "評価測光"},
      {17, 5, 28, "中央部重点平均測光"},
      {17, 0, 28, ""},
      {19, 0x3000, 29, "無（MF）"},
      {19, 0x3004, 29, "左"},
      {19, 0x3005, 29, ""},
      {19, 0x4001, 29, ""},
      {20, 5, 30, "A-DEP（自動被写界深度）"},
      {20, 6, 30, ""},
      {23, 0, 31, "0mm"},
      {23, 682, 31, "682mm"},  // as stored, without scaling
      {24, 65535, 32, "65535mm"},
  };
  for (const auto& c : cases) {
    InfoValueTexts texts;
    SetCameraSettingTexts(Settings({{c.index, c.value}}), texts);
    EXPECT_EQ(Utf8(texts.item(c.item)), c.text) << "index " << c.index << " value " << c.value;
  }
}

TEST(MakerNote, DriveModeReadsTheSelfTimerToo) {
  struct Case {
    std::uint16_t drive, selfTimer;
    const char* text;
  } cases[] = {
      {0, 0, "１コマ撮影"}, {0, 100, "セルフタイマー撮影"},
      {1, 0, "連続撮影"},   {1, 100, "連続撮影"},
      {2, 0, ""},
  };
  for (const auto& c : cases) {
    InfoValueTexts texts;
    SetCameraSettingTexts(Settings({{5, c.drive}, {2, c.selfTimer}}), texts);
    EXPECT_EQ(Utf8(texts.item(21)), c.text) << c.drive << " " << c.selfTimer;
  }
}

TEST(MakerNote, FlashDetailsDependOnTheFlashMode) {
  struct Case {
    std::uint16_t mode, details;
    const char* modeText;
    const char* detailsText;
  } cases[] = {
      {0, 0x2000, "非発光", "非発光のため情報なし"},
      {0, 0x0000, "非発光", "非発光のため情報なし"},
      {1, 0x2010, "自動", ""},  // two known bits tell nothing
      {1, 0x0000, "自動", ""},
      {1, 0x2000, "自動", "内臓フラッシュ"},
      {3, 0x0800, "赤目防止", "FPシンクロ使用"},
      {4, 0x0010, "スローシンクロ", "FPシンクロ可"},
      {7, 0x4000 | 0x0007, "", "外部E-TTL"},  // bits outside the mask are ignored
      {16, 0x4800, "外部フラッシュ使用", ""},
  };
  for (const auto& c : cases) {
    InfoValueTexts texts;
    SetCameraSettingTexts(Settings({{4, c.mode}, {29, c.details}}), texts);
    EXPECT_EQ(Utf8(texts.item(20)), c.modeText) << c.mode << " " << c.details;
    EXPECT_EQ(Utf8(texts.item(33)), c.detailsText) << c.mode << " " << c.details;
  }
}

TEST(MakerNote, IndicesBeyondAShortArrayGiveNoText) {
  InfoValueTexts texts;
  // Six values: macro, self-timer, flash mode and drive mode are there.
  SetCameraSettingTexts(Settings({{1, 2}, {2, 0}, {4, 1}, {5, 0}}, 6), texts);
  EXPECT_EQ(Utf8(texts.item(19)), "ノーマル");
  EXPECT_EQ(Utf8(texts.item(20)), "自動");
  EXPECT_EQ(Utf8(texts.item(21)), "１コマ撮影");
  for (int item = 22; item <= 33; ++item) EXPECT_EQ(texts.item(item), "") << item;

  // Drive mode 0 without a self-timer value tells nothing.
  InfoValueTexts drive;
  SetCameraSettingTexts(std::vector<std::uint16_t>{0xFF00, 0xFF00}, drive);
  EXPECT_EQ(drive.item(21), "");
  InfoValueTexts empty;
  SetCameraSettingTexts({}, empty);
  SetShotInfoTexts({}, empty);
  for (int item = 19; item <= 36; ++item) EXPECT_EQ(empty.item(item), "") << item;
}

TEST(MakerNote, ShotInformationTables) {
  const ArrayCase cases[] = {
      {7, 0, 34, "自動"},          {7, 6, 34, "マニュアル"},    {7, 7, 34, ""},
      {14, 0x3005, 35, "[左 右]"}, {14, 0x3000, 35, ""},        {14, 0, 35, ""},
      {14, 1, 35, "[右]"},         {14, 0x2002, 35, "[中央]"},  {14, 3, 35, "[中央 右]"},
      {14, 6, 35, "[左 中央]"},    {14, 7, 35, "[左 中央 右]"}, {15, 0x0000, 36, "EV±0.00"},
      {15, 0x000C, 36, "EV+0.33"}, {15, 0x0040, 36, "EV+2.00"}, {15, 0xFFC0, 36, "EV-2.00"},
      {15, 0xFFF4, 36, "EV-0.33"}, {15, 0x0008, 36, ""},        {15, 0x0044, 36, ""},
      {15, 0xFFFF, 36, ""},
  };
  for (const auto& c : cases) {
    InfoValueTexts texts;
    std::vector<std::uint16_t> shot(16, 0xFF00);
    shot[c.index] = c.value;
    SetShotInfoTexts(shot, texts);
    EXPECT_EQ(Utf8(texts.item(c.item)), c.text) << "index " << c.index << " value " << c.value;
  }
}

TEST(MakerNote, CustomFunctionsSetHeadersAndListedValues) {
  InfoValueTexts texts;
  ShootingInfoMemory memory;
  ApplyCustomFunctions(std::vector<std::uint16_t>{0x0203, 0x0E01, 0x0001, 0x0D01, 0x0702, 0x0303},
                       texts, memory);
  EXPECT_TRUE(memory.headerSet[2]);
  EXPECT_EQ(Utf8(texts.customValue(2)), "2:AF/AFロック");
  EXPECT_TRUE(memory.headerSet[13]);
  EXPECT_EQ(Utf8(texts.customValue(13)), "1:する");
  EXPECT_EQ(Utf8(texts.customValue(7)), "2:- → 0 → +/する");
  // Function 3 has no setting 3: its header is set, its value stays empty.
  EXPECT_TRUE(memory.headerSet[3]);
  EXPECT_EQ(texts.customValue(3), "");
  // Function numbers 14 and 0 are ignored.
  for (int k : {1, 4, 5, 6, 8, 9, 10, 11, 12}) {
    EXPECT_FALSE(memory.headerSet[static_cast<std::size_t>(k)]) << k;
    EXPECT_EQ(texts.customValue(k), "") << k;
  }
}

TEST(MakerNote, FunctionTwoShowsMenuNumbersNotStoredSettings) {
  struct Case {
    std::uint16_t value;
    const char* text;
  } cases[] = {{0x0200, "0:AF/AEロック"}, {0x0201, "1:AEロック/AF"},       {0x0202, ""},
               {0x0203, "2:AF/AFロック"}, {0x0204, "3:AE+レリーズ/AE+AF"}, {0x0205, ""}};
  for (const auto& c : cases) {
    InfoValueTexts texts;
    ShootingInfoMemory memory;
    ApplyCustomFunctions(std::vector<std::uint16_t>{c.value}, texts, memory);
    EXPECT_TRUE(memory.headerSet[2]) << c.value;
    EXPECT_EQ(Utf8(texts.customValue(2)), c.text) << c.value;
  }
}

TEST(MakerNote, SerialNumbers) {
  EXPECT_EQ(maker_note::ImageSerialText(1001234), "100-1234");
  EXPECT_EQ(maker_note::ImageSerialText(1230045), "123-0045");
  EXPECT_EQ(maker_note::ImageSerialText(51234), "005-1234");
  EXPECT_EQ(maker_note::ImageSerialText(1000000), "100-0000");
  EXPECT_EQ(maker_note::ImageSerialText(0), "000-0000");
  EXPECT_EQ(maker_note::ImageSerialText(0xFFFFFFFF), "429496-7295");
  EXPECT_EQ(maker_note::CameraSerialText(0x00AB0000 | 291), "00AB00291");
  EXPECT_EQ(maker_note::CameraSerialText(0x0000000F), "000000015");
  EXPECT_EQ(maker_note::CameraSerialText(0xFFFFFFFF), "FFFF65535");
}

// A maker's note laid out by hand: little-endian directory at `at`.
// Bytes as a photo's head, seen little-endian from offset 0 as the maker's
// note is read.
class NoteView {
 public:
  explicit NoteView(std::span<const std::uint8_t> bytes) {
    head_.LoadBytes(bytes.data(), bytes.size());
  }
  operator TiffView() const { return TiffView(head_, 0, true); }

 private:
  PhotoHead head_;
};

class NoteBytes {
 public:
  explicit NoteBytes(std::size_t size) : bytes_(size, 0) {}
  void U16(std::size_t at, std::uint16_t v) {
    bytes_.at(at) = static_cast<std::uint8_t>(v);
    bytes_.at(at + 1) = static_cast<std::uint8_t>(v >> 8);
  }
  void U32(std::size_t at, std::uint32_t v) {
    U16(at, static_cast<std::uint16_t>(v));
    U16(at + 2, static_cast<std::uint16_t>(v >> 16));
  }
  void Entry(std::size_t dir, std::size_t i, std::uint16_t tag, std::uint16_t type,
             std::uint32_t count, std::uint32_t value) {
    std::size_t at = dir + 2 + 12 * i;
    U16(at, tag);
    U16(at + 2, type);
    U32(at + 4, count);
    U32(at + 8, value);
  }
  void Text(std::size_t at, const std::string& s) {
    for (std::size_t i = 0; i < s.size(); ++i) bytes_.at(at + i) = static_cast<std::uint8_t>(s[i]);
  }
  NoteView View() const { return NoteView(bytes_); }
  std::vector<std::uint8_t>& bytes() { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

TEST(MakerNote, DirectoryMustLieWhollyInsideTheBytesRead) {
  // Two entries at 100: image serial and camera serial, values in the entries.
  NoteBytes note(200);
  note.U16(100, 2);
  note.Entry(100, 0, 0x0008, 4, 1, 1001234);
  note.Entry(100, 1, 0x000C, 4, 1, 0x00AB0123);
  {
    InfoValueTexts texts;
    ShootingInfoMemory memory;
    ReadMakerNote(note.View(), 100, texts, memory);
    EXPECT_EQ(texts.item(39), "100-1234");
    EXPECT_EQ(texts.item(41), "00AB00291");
  }
  // The same directory cut one byte short of its second entry: nothing at all.
  std::vector<std::uint8_t> cut(note.bytes().begin(), note.bytes().begin() + 100 + 2 + 24 - 1);
  InfoValueTexts texts;
  ShootingInfoMemory memory;
  ReadMakerNote(NoteView(cut), 100, texts, memory);
  EXPECT_EQ(texts.item(39), "");
  EXPECT_EQ(texts.item(41), "");
  // A count outside, and an offset far outside.
  ReadMakerNote(NoteView(std::span(cut).first(101)), 100, texts, memory);
  ReadMakerNote(note.View(), 0xFFFFFFFF, texts, memory);
  EXPECT_EQ(texts.item(39), "");
}

TEST(MakerNote, OnlyTheFirstHundredEntriesOfALongDirectoryAreRead) {
  const std::size_t entries = 101;
  NoteBytes note(2 + 12 * entries + 8);
  note.U16(0, entries);
  for (std::size_t i = 0; i < entries; ++i) note.Entry(0, i, 0x0099, 4, 1, 0);
  note.Entry(0, 99, 0x0008, 4, 1, 51234);        // the 100th entry is read
  note.Entry(0, 100, 0x000C, 4, 1, 0x12340001);  // the 101st is not
  InfoValueTexts texts;
  ShootingInfoMemory memory;
  ReadMakerNote(note.View(), 0, texts, memory);
  EXPECT_EQ(texts.item(39), "005-1234");
  EXPECT_EQ(texts.item(41), "");

  // All 101 entries must have been read even though only 100 count.
  std::vector<std::uint8_t> cut(note.bytes().begin(), note.bytes().begin() + 2 + 12 * 100 + 6);
  InfoValueTexts none;
  ReadMakerNote(NoteView(cut), 0, none, memory);
  EXPECT_EQ(none.item(39), "");
}

TEST(MakerNote, ArraysAndStringsOutsideTheBytesAreMissingAsAWhole) {
  NoteBytes note(400);
  note.U16(0, 5);
  // Camera settings: 30 values at 100, macro 1 at index 1.
  note.Entry(0, 0, 0x0001, 3, 30, 100);
  note.U16(102, 1);
  // Shot information claims 200 values at 300: they run past the end.
  note.Entry(0, 1, 0x0004, 3, 200, 300);
  note.U16(300 + 14, 7);
  // Image type: 10 bytes at 200; firmware: 120 bytes at 350, past the end.
  note.Entry(0, 2, 0x0006, 2, 10, 200);
  note.Text(200, std::string("IMG:X\0tail", 10));
  note.Entry(0, 3, 0x0007, 2, 120, 350);
  note.Text(350, "Firmware");
  // Custom functions: 3 values at 380 (function 1 setting 1, function 5 setting 0).
  note.Entry(0, 4, 0x000F, 3, 3, 380);
  note.U16(380, 0x0101);
  note.U16(382, 0x0500);
  note.U16(384, 0x0E00);

  InfoValueTexts texts;
  ShootingInfoMemory memory;
  ReadMakerNote(note.View(), 0, texts, memory);
  EXPECT_EQ(Utf8(texts.item(19)), "マクロ");
  EXPECT_EQ(texts.item(35), "");
  EXPECT_EQ(texts.item(37), "IMG:X");  // up to its first zero byte
  EXPECT_EQ(texts.item(38), "");
  EXPECT_EQ(Utf8(texts.customValue(1)), "1:入");
  EXPECT_EQ(Utf8(texts.customValue(5)), "0:入(自動)");
  EXPECT_TRUE(memory.headerSet[1]);
  EXPECT_TRUE(memory.headerSet[5]);
  EXPECT_FALSE(memory.headerSet[2]);

  // A custom function array one value too long for the bytes: no header at all.
  note.Entry(0, 4, 0x000F, 3, 11, 380);
  ShootingInfoMemory fresh;
  InfoValueTexts again;
  ReadMakerNote(note.View(), 0, again, fresh);
  EXPECT_FALSE(fresh.headerSet[1]);
  EXPECT_EQ(again.customValue(1), "");
}

TEST(MakerNote, ALaterEntryOverwritesOnlyTheTextsItSets) {
  NoteBytes note(300);
  note.U16(0, 3);
  note.Entry(0, 0, 0x0001, 3, 30, 100);  // macro 2, flash mode 1
  note.U16(100 + 2, 2);
  note.U16(100 + 8, 1);
  note.Entry(0, 1, 0x0001, 3, 3, 200);  // a short second array: macro 1 only
  note.U16(200 + 2, 1);
  note.Entry(0, 2, 0x0009, 2, 60, 230);
  note.Text(230, std::string(60, 'o'));
  InfoValueTexts texts;
  ShootingInfoMemory memory;
  ReadMakerNote(note.View(), 0, texts, memory);
  EXPECT_EQ(Utf8(texts.item(19)), "マクロ");
  EXPECT_EQ(Utf8(texts.item(20)), "自動");
  EXPECT_EQ(texts.item(40), std::string(60, 'o'));
}

}  // namespace
