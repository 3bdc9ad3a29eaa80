#include "exif/maker_note_tables.h"

#include "texts/info_texts.h"

namespace maker_note {
namespace {

constexpr CodeText kMacroModeTexts[] = {{1, txt::kMacroMacro}, {2, txt::kMacroNormal}};

constexpr CodeText kFlashModeTexts[] = {
    {0, txt::kFlashOff},      {1, txt::kFlashAuto},      {2, txt::kFlashOn},
    {3, txt::kFlashRedEye},   {4, txt::kFlashSlowSync},  {5, txt::kFlashAutoRedEye},
    {6, txt::kFlashOnRedEye}, {16, txt::kFlashExternal},
};

constexpr CodeText kFocusModeTexts[] = {
    {0, "ONE SHOT AF"},  {1, "AI SERVO AF"},         {2, "AI FOCUS AF"}, {3, "MF"},
    {4, "SINGLE FOCUS"}, {5, txt::kFocusContinuous}, {6, "MF"},
};

constexpr CodeText kImageSizeTexts[] = {{0, "Large"}, {1, "Medium"}, {2, "Small"}};

constexpr CodeText kImageSelectTexts[] = {
    {0, txt::kSelectFullAuto},    {1, txt::kSelectManual},      {2, txt::kSelectLandscape},
    {3, txt::kSelectFastShutter}, {4, txt::kSelectSlowShutter}, {5, txt::kSelectNight},
    {6, txt::kSelectMonochrome},  {7, txt::kSelectSepia},       {8, txt::kSelectPortrait},
    {9, txt::kSelectSports},      {10, txt::kSelectCloseUp},    {11, txt::kSelectPanFocus},
};

// The camera stores -1 as 0xFFFF.
constexpr CodeText kContrastTexts[] = {
    {0, txt::kToneStandard}, {1, txt::kToneStrong}, {0xFFFF, txt::kToneWeak}};
constexpr CodeText kSaturationTexts[] = {
    {0, txt::kToneStandard}, {1, txt::kSaturationHigh}, {0xFFFF, txt::kSaturationLow}};
constexpr CodeText kSharpnessTexts[] = {
    {0, txt::kToneStandard}, {1, txt::kToneStrong}, {0xFFFF, txt::kToneWeak}};

constexpr CodeText kMeteringMethodTexts[] = {
    {3, txt::kMethodEvaluative}, {4, txt::kMethodPartial}, {5, txt::kMethodCentreWeighted}};

constexpr CodeText kAfPointSelectionTexts[] = {
    {0x3000, txt::kAfPointManual}, {0x3001, txt::kAfPointAuto}, {0x3002, txt::kAfPointRight},
    {0x3003, txt::kAfPointCentre}, {0x3004, txt::kAfPointLeft},
};

constexpr CodeText kShootingModeTexts[] = {
    {0, txt::kModeImageSelect},      {1, txt::kModeProgram}, {2, txt::kModeShutterPriority},
    {3, txt::kModeAperturePriority}, {4, txt::kModeManual},  {5, txt::kModeDepth},
};

constexpr CodeText kFlashDetailsTexts[] = {
    {0x0800, txt::kFlashDetailsFpUsed},
    {0x0010, txt::kFlashDetailsFpReady},
    {0x2000, txt::kFlashDetailsBuiltIn},
    {0x4000, txt::kFlashDetailsExternal},
};

constexpr CodeText kWhiteBalanceTexts[] = {
    {0, txt::kWhiteAuto},     {1, txt::kWhiteDaylight},    {2, txt::kWhiteCloudy},
    {3, txt::kWhiteTungsten}, {4, txt::kWhiteFluorescent}, {5, txt::kWhiteFlash},
    {6, txt::kWhiteManual},
};

constexpr CodeText kAfPointsUsedTexts[] = {
    {1, txt::kAfUsedRight}, {2, txt::kAfUsedCentre},    {3, txt::kAfUsedCentreRight},
    {4, txt::kAfUsedLeft},  {5, txt::kAfUsedLeftRight}, {6, txt::kAfUsedLeftCentre},
    {7, txt::kAfUsedAll},
};

// Negative steps are stored as their 16-bit two's complement: -64 is 0xFFC0.
constexpr CodeText kFlashBiasTexts[] = {
    {0x0000, txt::kFlashBiasZero}, {0x000C, "EV+0.33"}, {0x0010, "EV+0.50"}, {0x0014, "EV+0.67"},
    {0x0020, "EV+1.00"},           {0x002C, "EV+1.33"}, {0x0030, "EV+1.50"}, {0x0034, "EV+1.67"},
    {0x0040, "EV+2.00"},           {0xFFC0, "EV-2.00"}, {0xFFCC, "EV-1.67"}, {0xFFD0, "EV-1.50"},
    {0xFFD4, "EV-1.33"},           {0xFFE0, "EV-1.00"}, {0xFFEC, "EV-0.67"}, {0xFFF0, "EV-0.50"},
    {0xFFF4, "EV-0.33"},
};

constexpr CodeText kCf1[] = {{0, txt::kCf1Off}, {1, txt::kCf1On}};
// The digit in front of each text is the camera's menu number, not the stored
// setting: setting 2 has no text, 3 and 4 show as menu entries 2 and 3.
constexpr CodeText kCf2[] = {{0, txt::kCf2AfAeLock},
                             {1, txt::kCf2AeLockAf},
                             {3, txt::kCf2AfAfLock},
                             {4, txt::kCf2AeRelease}};
constexpr CodeText kCf3[] = {{0, txt::kCf3No}, {1, txt::kCf3Yes}};
constexpr CodeText kCf4[] = {{0, txt::kCf4HalfStop}, {1, txt::kCf4ThirdStop}};
constexpr CodeText kCf5[] = {{0, txt::kCf5OnAuto}, {1, txt::kCf5Off}};
constexpr CodeText kCf6[] = {{0, txt::kCf6Auto}, {1, txt::kCf6Fixed}};
constexpr CodeText kCf7[] = {{0, txt::kCf7ZeroMinusPlusCancel},
                             {1, txt::kCf7ZeroMinusPlusKeep},
                             {2, txt::kCf7MinusZeroPlusCancel}};
constexpr CodeText kCf8[] = {{0, txt::kCf8FirstCurtain}, {1, txt::kCf8SecondCurtain}};
constexpr CodeText kCf9[] = {{0, txt::kCf9AfStop}, {1, txt::kCf9AfStart}, {2, txt::kCf9AeLock}};
constexpr CodeText kCf10[] = {{0, txt::kCf10Yes}, {1, txt::kCf10No}};
constexpr CodeText kCf11[] = {
    {0, txt::kCf11Top}, {1, txt::kCf11PreviousUntilOff}, {2, txt::kCf11Previous}};
constexpr CodeText kCf12[] = {
    {0, txt::kCf12Normal}, {1, txt::kCf12Quality}, {2, txt::kCf12Iso}, {3, txt::kCf12Processing}};
constexpr CodeText kCf13[] = {{0, txt::kCf13No}, {1, txt::kCf13Yes}};

}  // namespace

const CodeTable kMacroMode = kMacroModeTexts;
const CodeTable kFlashMode = kFlashModeTexts;
const CodeTable kFocusMode = kFocusModeTexts;
const CodeTable kImageSize = kImageSizeTexts;
const CodeTable kImageSelect = kImageSelectTexts;
const CodeTable kContrast = kContrastTexts;
const CodeTable kSaturation = kSaturationTexts;
const CodeTable kSharpness = kSharpnessTexts;
const CodeTable kMeteringMethod = kMeteringMethodTexts;
const CodeTable kAfPointSelection = kAfPointSelectionTexts;
const CodeTable kShootingMode = kShootingModeTexts;
const CodeTable kFlashDetails = kFlashDetailsTexts;
const CodeTable kWhiteBalance = kWhiteBalanceTexts;
const CodeTable kAfPointsUsed = kAfPointsUsedTexts;
const CodeTable kFlashBias = kFlashBiasTexts;

const CodeTable kCustomFunctionSettings[kCustomFunctions + 1] = {
    {}, kCf1, kCf2, kCf3, kCf4, kCf5, kCf6, kCf7, kCf8, kCf9, kCf10, kCf11, kCf12, kCf13,
};

}  // namespace maker_note
