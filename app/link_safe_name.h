#pragma once
// Photo names the gallery's pages put into links ("../../Pelvora/" + name,
// "../thumbnail/Tn_" + name). A byte a URL reads as something else ("#", "%",
// "?", "\"), a control byte such as a line break, or any byte outside ASCII
// (the data scripts are Shift-JIS, the names on the disc are not) breaks the
// link; ② to ⑤ refuse such names rather than write a gallery whose photos do
// not show. The names ① gives are digits and "_" plus ".jpg".
#include <string>
#include <vector>

bool BreaksLinks(const std::string& name);

// The message that refuses the names (Shift-JIS), the photos named after it
// as the batch steps name them; empty when no name breaks a link.
std::string LinkBreakingNamesMessage(const std::vector<std::string>& names);
