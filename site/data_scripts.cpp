#include "site/data_scripts.h"

#include <algorithm>

#include "site/script_string.h"
#include "texts/site_texts.h"

namespace site {

std::string OtherScriptText(const GallerySummary& s) {
  std::string text;
  auto line = [&text](const std::string& l) { text += l + "\n"; };
  line(txt::kOtherHeader);
  line(txt::kOtherCountComment);
  line(txt::kMaisuPrefix + std::to_string(s.folderCount) + ";");
  line(txt::kOtherFirstDateComment);
  line(txt::kFirstDatePrefix + ScriptStringBody(s.firstDate) + "\";");
  line(txt::kOtherLastDateComment);
  line(txt::kLastDatePrefix + ScriptStringBody(s.lastDate) + "\";");
  line(txt::kOtherModelComment);
  line(txt::kModelPrefix + ScriptStringBody(s.model) + "\";");
  return text;
}

std::string FileNameScriptText(const std::vector<std::string>& photoList, int photoCount,
                               int listedPhotos) {
  std::string text;
  for (const char* header : txt::kFileNameHeader) text += std::string(header) + "\n";
  const int last = std::min(photoCount, static_cast<int>(photoList.size()) - 1);
  for (int i = 1; i <= last; ++i) {
    const std::string name = i <= listedPhotos ? photoList[i] : std::string();
    text += "fileName[" + std::to_string(i) + "] = \"" + ScriptStringBody(name) + "\";\n";
  }
  return text;
}

std::string ScreenScriptText(const std::vector<std::string>& names) {
  std::string text;
  for (const char* header : txt::kScreenHeader) text += std::string(header) + "\n";
  for (std::size_t i = 0; i < names.size(); ++i)
    text += "screenName[" + std::to_string(i) + "] = \"" + ScriptStringBody(names[i]) + "\";\n";
  return text;
}

}  // namespace site
