// Names made from the shooting date, and reading that date from a photo.
#include "exif/date_name.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/support/exif_builder.h"

namespace {

using fixture::ExifJpeg;
using fixture::Order;

DateBuffer Buffer(const std::string& bytes) {
  DateBuffer date{};
  std::copy_n(bytes.begin(), std::min(bytes.size(), date.size() - 1), date.begin());
  return date;
}

TEST(DateNameTest, SeparatorsBecomeUnderscoresAndTheTextEndsAfterTheSeconds) {
  struct Case {
    std::string date;
    std::string name;
  } cases[] = {
      {"2003:01:15 10:20:30", "2003_01_15_10_20_30.jpg"},
      {"2003-01-15T10.20.30", "2003_01_15_10_20_30.jpg"},
      {"    :  :     :  :  ", "    _  _  _  _  _  .jpg"},  // blanks stay
      {"2003:01:15 10:20:30.25 extra", "2003_01_15_10_20_30.jpg"},
      {"2003:01:15 10:20:3", "2003_01_15_10_20_3.jpg"},
      // Zero bytes at the separator positions become "_" too; the name ends at
      // the first zero byte left.
      {"2003", "2003_.jpg"},
      {"2003:01:15", "2003_01_15_.jpg"},
      {std::string("2003\0\0\0\0\0\0\0", 11), "2003_.jpg"},
      {"x", "x.jpg"},
  };
  for (const Case& c : cases) EXPECT_EQ(NameFromDate(Buffer(c.date)), c.name) << c.date;
}

TEST(DateNameTest, ANameWithASlashIsNoPlainFileName) {
  EXPECT_TRUE(IsPlainFileName("2003_01_15_10_20_30.jpg"));
  EXPECT_TRUE(IsPlainFileName(NameFromDate(Buffer("2003/01/15 10:20:30"))));  // "/" replaced
  EXPECT_FALSE(IsPlainFileName(NameFromDate(Buffer("20/3:01:15 10:20:30"))));
  EXPECT_FALSE(IsPlainFileName(NameFromDate(Buffer("2003:01:15 10:20:3/"))));
  EXPECT_FALSE(IsPlainFileName(""));
}

TEST(DateNameTest, TheRenamedFormHasUnderscoresAt13And16) {
  EXPECT_TRUE(HasRenamedForm("2003_01_15_10_20_30.jpg"));
  EXPECT_TRUE(HasRenamedForm("abcdefghijklm_op_"));
  EXPECT_FALSE(HasRenamedForm("abcdefghijklm_op"));  // too short for position 16
  EXPECT_FALSE(HasRenamedForm("IMG_0001.jpg"));
  EXPECT_FALSE(HasRenamedForm("2003_01_15_10:20_30.jpg"));
  EXPECT_FALSE(HasRenamedForm(""));
}

std::optional<DateBuffer> DateOf(const ExifJpeg& jpeg) {
  std::vector<std::uint8_t> file = jpeg.Build();
  ExifReader reader;
  reader.LoadBytes(file.data(), file.size());
  EXPECT_TRUE(reader.FindExifBlock());
  return ReadShootingDate(reader);
}

std::string AsText(const DateBuffer& date) {
  return std::string(reinterpret_cast<const char*>(date.data()));
}

TEST(DateNameTest, ReadsTheLastDateTimeOriginalOfTheExifIfd) {
  for (Order order : {Order::kLittle, Order::kBig}) {
    ExifJpeg jpeg(order);
    jpeg.ifd0.push_back(fixture::Ascii(0x0132, "1999:01:01 00:00:00"));  // DateTime, not used
    jpeg.exif.push_back(fixture::Ascii(0x9003, "2001:01:01 01:01:01"));
    jpeg.exif.push_back(fixture::Ascii(0x9004, "2002:02:02 02:02:02"));
    jpeg.exif.push_back(fixture::Ascii(0x9003, "2003:03:03 03:03:03"));
    auto date = DateOf(jpeg);
    ASSERT_TRUE(date);
    EXPECT_EQ(AsText(*date), "2003:03:03 03:03:03");
  }
}

TEST(DateNameTest, CopiesAtMost99BytesOfALongValue) {
  ExifJpeg jpeg(Order::kLittle);
  jpeg.exif.push_back(fixture::AsciiBytes(0x9003, "2003:01:15 10:20:30" + std::string(200, 'x')));
  auto date = DateOf(jpeg);
  ASSERT_TRUE(date);
  EXPECT_EQ(AsText(*date).size(), 99u);
  EXPECT_EQ((*date)[99], 0);
  EXPECT_EQ(NameFromDate(*date), "2003_01_15_10_20_30.jpg");
}

// Every date that is read makes a name of digits and "_" that has the
// renamed form; separators other than ":" and " " are taken as they come.
TEST(DateNameTest, ADateThatIsReadMakesANameOfDigitsAndUnderscores) {
  for (const char* text : {"2003:01:15 10:20:30", "2003-01-15T10.20.30", "0000:00:00 00:00:00",
                           "2003:01:15 10:20:30.25 extra"}) {
    ExifJpeg jpeg;
    jpeg.exif.push_back(fixture::Ascii(0x9003, text));
    auto date = DateOf(jpeg);
    ASSERT_TRUE(date) << text;
    const std::string name = NameFromDate(*date);
    EXPECT_EQ(name.size(), 23u) << text;
    EXPECT_EQ(name.find_first_not_of("0123456789_"), 19u) << text;
    EXPECT_TRUE(HasRenamedForm(name)) << text;
  }
}

TEST(DateNameTest, PhotosWithoutAUsableDateHaveNone) {
  struct Case {
    const char* what;
    ExifJpeg jpeg;
  };
  std::vector<Case> cases;
  {
    ExifJpeg j;
    j.ifd0.push_back(fixture::Ascii(0x010F, "Canon"));
    cases.push_back({"no Exif IFD", j});
  }
  {
    ExifJpeg j;
    j.exif.push_back(fixture::Ascii(0x9004, "2003:01:15 10:20:30"));
    cases.push_back({"no 0x9003", j});
  }
  {
    ExifJpeg j;
    j.exif.push_back(fixture::Ascii(0x9003, "").OutOfLine());
    cases.push_back({"empty text", j});
  }
  {
    ExifJpeg j;
    j.exif.push_back(fixture::Raw(0x9003, 2, 0, 0));
    cases.push_back({"count 0", j});
  }
  {
    ExifJpeg j;
    j.exif.push_back(fixture::Raw(0x9003, 2, 20, 0xFFFFFF00));
    cases.push_back({"value outside", j});
  }
  {
    ExifJpeg j;
    j.exif.push_back(fixture::Ascii(0x9003, "2003:01:15 10:20:30"));
    j.exif.push_back(fixture::Raw(0x9003, 2, 20, 0xFFFFFF00));
    cases.push_back({"last entry outside", j});
  }
  // Hostile texts: a date without its time (zero bytes after it), an empty
  // value held in the entry itself (its value field is no offset), blanks,
  // a non-digit in a date or time position, zero bytes as separators.
  std::string zeroSeparated = "2003:01:15:10:20:30";
  for (std::size_t pos : {4, 7, 10, 13, 16}) zeroSeparated[pos] = '\0';
  const std::pair<const char*, fixture::Entry> hostile[] = {
      {"the date only",
       fixture::AsciiBytes(0x9003, std::string("1999:12:31") + std::string(10, '\0'))},
      {"empty, held in the entry", fixture::Ascii(0x9003, "")},
      {"three bytes held in the entry", fixture::Ascii(0x9003, "II")},
      {"blanks", fixture::Ascii(0x9003, "    :  :     :  :  ")},
      {"a hash in the seconds", fixture::Ascii(0x9003, "2019:01:01 00:00:#1")},
      {"a slash in the year", fixture::Ascii(0x9003, "20/3:01:15 10:20:30")},
      {"one second digit", fixture::Ascii(0x9003, "2003:01:15 10:20:3")},
      {"zero bytes as separators", fixture::AsciiBytes(0x9003, zeroSeparated)},
      {"a full-width digit", fixture::Ascii(0x9003, "2003:01:15 10:20:\x82\x4F")},
  };
  for (const auto& [what, entry] : hostile) {
    ExifJpeg j;
    j.exif.push_back(entry);
    cases.push_back({what, j});
  }
  {
    ExifJpeg j;
    j.autoExifPointer = false;
    j.exif.push_back(fixture::Ascii(0x9003, "2003:01:15 10:20:30"));
    j.ifd0.push_back(fixture::Raw(0x8769, 4, 1, 0x7FFFFFFF));
    cases.push_back({"Exif IFD outside", j});
  }
  for (const Case& c : cases) EXPECT_FALSE(DateOf(c.jpeg)) << c.what;
}

}  // namespace
