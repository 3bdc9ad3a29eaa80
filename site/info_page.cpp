#include "site/info_page.h"

#include <iterator>

#include "exif/info_items.h"
#include "site/html_text.h"
#include "texts/info_texts.h"

static_assert(std::size(txt::kInfoItemLabels) == info::kCustomFunctionList,
              "one label per information-page item");

namespace {

constexpr int kLastMarkedItem = info::kImageSerialNumber;
constexpr int kExifItems = info::kPixelHeight;
constexpr int kCanonItems = info::kImageSerialNumber;

const char kHeadAfterNumber[] =
    ".html -->\n"
    "<html lang=\"ja\">\n"
    "<head>\n"
    // Without it browsers guess the encoding and show the Shift-JIS labels garbled.
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">\n"
    "<title>Tavisque</title>\n"
    "</head>\n"
    "<Script Language=\"JavaScript\" src=\"../../data/colordata.js\">\n"
    "</Script>\n"
    "<Script Language=\"JavaScript\">\n"
    "document.write(\"<body bgcolor='\",bgColor,\"' text='\",dataColor,\"' link='#000000' "
    "vlink='#000000' alink='#000000'>\");\n"
    "</Script>\n"
    "<font face=\"Century\" size=3>\n";

const char kFoot[] =
    "</font>\n"
    // The keys that step through the photos work in this frame too.
    "<Script Language=\"JavaScript\" src=\"../../script/photopage.js\"></Script>\n"
    "</body>\n"
    "</html>\n";

void AppendItem(std::string& page, int item, const InfoValueTexts& texts) {
  page += LabelScript(txt::kInfoItemLabels[item - 1]);
  page += site::HtmlText(texts.item(item));
  page += "<br>\n";
}

}  // namespace

void MarkMissingValues(InfoValueTexts& texts) {
  for (int item = 1; item <= kLastMarkedItem; ++item)
    if (texts.item(item).empty()) texts.SetItem(item, txt::kInfoMissing);
  if (texts.item(info::kIsoSpeed) == "0") texts.SetItem(info::kIsoSpeed, txt::kInfoMissing);
}

bool IsEosD30OrD60(std::string_view model) {
  std::string_view head = model.substr(0, 13);
  return head == "Canon EOS D30" || head == "Canon EOS D60";
}

std::string LabelScript(std::string_view label) {
  std::string script = "<Script Language=\"JavaScript\">\n";
  script += "document.write(\"<font color='\",itemColor,\"'>";
  script += label;
  script += "</font><br>\");\n";
  script += "</Script>\n";
  return script;
}

std::string ComposeInfoPage(int number, const InfoValueTexts& texts,
                            const ShootingInfoMemory& memory) {
  std::string page = "<!-- inf" + std::to_string(number) + kHeadAfterNumber;
  page += txt::kInfoSectionComment;
  for (int item = 1; item <= kExifItems; ++item) AppendItem(page, item, texts);
  if (memory.IsCanon()) {
    for (int item = kExifItems + 1; item <= kCanonItems; ++item) AppendItem(page, item, texts);
    if (IsEosD30OrD60(texts.item(info::kModel))) {
      AppendItem(page, info::kOwnerName, texts);
      AppendItem(page, info::kCameraSerialNumber, texts);
      page += LabelScript(txt::kInfoItemLabels[info::kCustomFunctionList - 1]);
      for (int k = 1; k <= kCustomFunctions; ++k) {
        if (memory.headerSet[static_cast<std::size_t>(k)])
          page += LabelScript(txt::kCustomFunctionLabels[k - 1]);
        page += site::HtmlText(texts.customValue(k));
        page += "<br>\n";
      }
    }
  }
  page += kFoot;
  return page;
}
