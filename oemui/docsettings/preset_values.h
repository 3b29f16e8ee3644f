// What choosing a preset writes into the record, one function per section
// (each section owns its fields). byPreset says which preset; User Setting
// writes nothing.
#pragma once

#include "core/private_settings.h"

namespace kvt {

// byInitialize, bySpeed, byDensity, byMargin, byDirection(Copy),
// byReduction and byReductionScale. The reduction presets leave the scale
// at 100: the section computes it from the form afterwards.
void ApplyGeneralPreset(PrivateSettings& settings);

// byPaperCut, byFeedToCut, byMarkedPaperFeed, sFormFeedCorrect.
void ApplyPaperCutPreset(PrivateSettings& settings);

// The four option groups: no logo, buzzer, feed or command; the drawer
// pulse times; the receipt presets open drawer 1 at the start of the job.
void ApplyOptionPreset(PrivateSettings& settings);

}  // namespace kvt
