#include "app/annotation_carry.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "app/annotation_reset.h"
#include "app/line_rules.h"
#include "platform/text_file.h"
#include "site/data_scripts.h"
#include "site/gallery_paths.h"

namespace {

std::string_view WithoutLineEnd(std::string_view line) {
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  return line;
}

// The number of `head` N `middle` BODY `tail`, and BODY; nothing for a line of
// another form or a number outside 1 … kMaxPhotos.
std::optional<std::pair<int, std::string>> NumberedValue(std::string_view line,
                                                         std::string_view head,
                                                         std::string_view middle,
                                                         std::string_view tail) {
  line = WithoutLineEnd(line);
  if (!line.starts_with(head) || !line.ends_with(tail)) return std::nullopt;
  line.remove_prefix(head.size());
  line.remove_suffix(tail.size());
  int n = 0;
  auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), n);
  if (error != std::errc() || n < 1 || n > kMaxPhotos) return std::nullopt;
  line.remove_prefix(static_cast<std::size_t>(end - line.data()));
  if (!line.starts_with(middle)) return std::nullopt;
  line.remove_prefix(middle.size());
  return std::pair{n, std::string(line)};
}

// Photo n's name in a "filename.js" text, by number; the names are compared
// as the script writes them, so any name matches itself.
std::vector<std::optional<std::string>> NamesOfScript(platform::TextFileReader& script) {
  std::vector<std::optional<std::string>> names(kMaxPhotos + 1);
  std::string line;
  while (script.ReadLine(line))
    if (auto entry = NumberedValue(line, "fileName[", "] = \"", "\";"))
      names[entry->first] = std::move(entry->second);
  return names;
}

// "var k = N;" of the top-photo file.
std::optional<int> TopPhotoNumber(platform::TextFileReader& file) {
  std::string line;
  while (file.ReadLine(line)) {
    std::string_view text = WithoutLineEnd(line);
    if (!text.starts_with("var k = ") || !text.ends_with(";")) continue;
    text = text.substr(8, text.size() - 9);
    int k = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), k);
    if (error == std::errc() && end == text.data() + text.size()) return k;
  }
  return std::nullopt;
}

// The value of a stored title or memo line (escaped, as in the file).
std::string StoredValue(const std::string& line, const std::string& prefix) {
  std::string_view body = WithoutLineEnd(line);
  if (body.size() < prefix.size() + 2 || !body.starts_with(prefix)) return {};
  return std::string(body.substr(prefix.size(), body.size() - prefix.size() - 2));
}

// The line of a stored value at another number; nothing when it does not fit.
std::optional<std::string> Restored(const std::string& prefix, const std::string& value,
                                    std::size_t bufferSize) {
  std::string line = prefix + value + "\";\n";
  if (line.size() > bufferSize - 1) return std::nullopt;
  return line;
}

}  // namespace

PreviousAnnotations ReadPreviousAnnotations() {
  PreviousAnnotations previous;
  auto names = platform::TextFileReader::Open(paths::kFileNameScript);
  auto none = platform::TextFileReader::FromBytes("");
  previous.names = NamesOfScript(names ? *names : none);
  LoadDataTables(previous.tables, kMaxPhotos);
  if (auto top = platform::TextFileReader::Open(paths::kTopPhotoFile))
    previous.topPhoto = TopPhotoNumber(*top);
  return previous;
}

CarriedAnnotations CarryAnnotations(const PreviousAnnotations& previous, const SharedState& state,
                                    DataTables& tables) {
  const int count = std::clamp(state.photoCount, 0, kMaxPhotos);
  // The names ④ writes now, in the form it writes them.
  auto script = platform::TextFileReader::FromBytes(
      site::FileNameScriptText(state.photoList, state.photoCount, state.listedPhotos));
  const std::vector<std::optional<std::string>> now = NamesOfScript(script);
  // An earlier entry's name: from "filename.js", or where that never named
  // it, the photo now at its number.
  auto earlierName = [&](int n) -> std::optional<std::string> {
    const auto& named = n < static_cast<int>(previous.names.size()) ? previous.names[n]
                                                                    : std::optional<std::string>();
    if (named) return named->empty() ? std::nullopt : named;
    return n <= count && now[n] && !now[n]->empty() ? now[n] : std::nullopt;
  };
  std::map<std::string, int> earlierNumber;
  for (int n = kMaxPhotos; n >= 1; --n)
    if (auto name = earlierName(n)) earlierNumber[*name] = n;  // the first entry of a name wins

  ResetAnnotations(tables, count);
  CarriedAnnotations carried;
  std::vector<bool> lost(kMaxPhotos + 1, false);
  for (int n = 1; n <= kMaxPhotos; ++n) {
    lost[n] = !StoredValue(previous.tables.title[n + 2], lines::TitlePrefix(n)).empty() ||
              !StoredValue(previous.tables.memo[n + 2], lines::MemoPrefix(n)).empty();
  }
  for (int m = 1; m <= count; ++m) {
    if (!now[m] || now[m]->empty()) continue;
    auto found = earlierNumber.find(*now[m]);
    if (found == earlierNumber.end()) continue;
    const int n = found->second;
    const std::string title = StoredValue(previous.tables.title[n + 2], lines::TitlePrefix(n));
    const std::string memo = StoredValue(previous.tables.memo[n + 2], lines::MemoPrefix(n));
    if (title.empty() && memo.empty()) continue;
    auto titleLine = Restored(lines::TitlePrefix(m), title, lines::kLineSize);
    auto memoLine = Restored(lines::MemoPrefix(m), memo, lines::kMemoLineSize);
    if (!titleLine || !memoLine) continue;  // both go, or both stay with the backup
    tables.title[m + 2] = std::move(*titleLine);
    tables.memo[m + 2] = std::move(*memoLine);
    lost[n] = false;
    ++carried.kept;
  }
  carried.dropped = static_cast<int>(std::count(lost.begin(), lost.end(), true));

  if (previous.topPhoto) {
    int top = 1;
    if (auto name = earlierName(*previous.topPhoto)) {
      for (int m = 1; m <= count; ++m)
        if (now[m] == name) top = m;
    }
    if (top != *previous.topPhoto) carried.topPhoto = top;
  }
  return carried;
}

void ApplyUnsavedTexts(const SharedState& state, DataTables& tables) {
  const UnsavedTexts& unsaved = state.unsaved;
  if (unsaved.theme) tables.subject[2] = lines::Compose(lines::SubjectPrefix(), *unsaved.theme);
  const int count = std::min({state.photoCount, state.listedPhotos, kMaxPhotos});
  for (int m = 1; m <= count; ++m) {
    auto found = unsaved.photos.find(state.photoList[m]);
    if (found == unsaved.photos.end()) continue;
    std::string title = lines::Compose(lines::TitlePrefix(m), found->second.title);
    std::string memo = lines::ComposeMemo(lines::MemoPrefix(m), found->second.memo);
    // Registered at a number with fewer digits, a text at its longest may
    // no longer fit; the tables keep what they hold rather than a broken line.
    if (title.size() < lines::kLineSize) tables.title[m + 2] = std::move(title);
    if (memo.size() < lines::kMemoLineSize) tables.memo[m + 2] = std::move(memo);
  }
}
