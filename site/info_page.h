#pragma once
// The text of an information page "gallery/section/information/infN.html".
#include <string>
#include <string_view>

#include "exif/info_value_texts.h"

// Items 1 to 39 without a value, and an ISO speed of "0", show the
// missing-value mark; items 40, 41 and the custom functions stay empty.
void MarkMissingValues(InfoValueTexts& texts);

// An EOS D30 or D60 model text, perhaps followed by more characters.
bool IsEosD30OrD60(std::string_view model);

// The label script of a label: three lines, each ending "\n".
std::string LabelScript(std::string_view label);

// The whole page of photo number, lines ending "\n": items 1 to 18; items 19
// to 39 while the remembered maker is Canon; for an EOS D30/D60 also items 40
// and 41 and the custom functions with the headers seen so far. The value
// texts come from the photo and go in as HTML text (HtmlText).
std::string ComposeInfoPage(int number, const InfoValueTexts& texts,
                            const ShootingInfoMemory& memory);
