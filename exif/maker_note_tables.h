#pragma once
// The camera maker's value → text tables of the information page: one table
// per item of the camera settings and shot information arrays, one per custom
// function.
#include "exif/code_text.h"
#include "exif/info_value_texts.h"

namespace maker_note {

// Camera settings array (maker-note tag 0x0001).
extern const CodeTable kMacroMode;         // item 19
extern const CodeTable kFlashMode;         // item 20
extern const CodeTable kFocusMode;         // item 22
extern const CodeTable kImageSize;         // item 23
extern const CodeTable kImageSelect;       // item 24
extern const CodeTable kContrast;          // item 25
extern const CodeTable kSaturation;        // item 26
extern const CodeTable kSharpness;         // item 27
extern const CodeTable kMeteringMethod;    // item 28
extern const CodeTable kAfPointSelection;  // item 29
extern const CodeTable kShootingMode;      // item 30
extern const CodeTable kFlashDetails;      // item 33, by the bits of mask 0x6810

// Shot information array (maker-note tag 0x0004).
extern const CodeTable kWhiteBalance;  // item 34
extern const CodeTable kAfPointsUsed;  // item 35, by the low three bits
extern const CodeTable kFlashBias;     // item 36, in steps of 1/32 EV

// Custom functions (maker-note tag 0x000F): entry k holds function k's settings.
extern const CodeTable kCustomFunctionSettings[kCustomFunctions + 1];

}  // namespace maker_note
