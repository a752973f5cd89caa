#pragma once

#include "label_selection.h"

#include <cstdint>

namespace qv {

// What the three popups of the grid offer, as a function of the selection,
// the clicked cell and the versions. Versions are 0xMMmm values.
struct PopupContext {
    LabelSelection selection;     // as it stands while the popup is open
    uint16_t imageVersion = 0;    // of the loaded image
    bool remote = false;          // remote control connected
    uint16_t instrumentVersion = 0;
    bool typeSupported = false;   // the connected instrument's type
};

struct InputLabelPopupRules {
    bool rename = false;
    bool ppmOptions = false;
    bool sum = false;
};

struct OutputLabelPopupRules {
    bool rename = false;
    bool ppmOptions = false;
    bool phaseOptions = false;
    bool setGroup = false;
    bool setGroupGain = false;
    bool setGain = false;
    bool lock = false;
};

struct MatrixPopupRules {
    bool inputRename = false;
    bool sum = false;
    bool outputRename = false;
    bool phaseOptions = false;
    bool setGroup = false;
    bool setGroupGain = false;
    bool setGain = false;
    bool ppmOptions = false;
    bool lock = false;
};

InputLabelPopupRules InputLabelPopup(const PopupContext& context);
OutputLabelPopupRules OutputLabelPopup(const PopupContext& context);
// The clicked cell's input and output (numbers) count as selected.
MatrixPopupRules MatrixPopup(const PopupContext& context, int clickedInput, int clickedOutput);

// Version thresholds of the live features.
inline constexpr uint16_t kLiveLabelRenameVersion = 0x0510;
inline constexpr uint16_t kLiveMatrixRenameVersion = 0x0507;
inline constexpr uint16_t kLivePpmVersion = 0x0510;
inline constexpr uint16_t kLivePhaseVersion = 0x0507;

} // namespace qv
