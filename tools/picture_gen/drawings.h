// The drawing of each picture, grouped by the page that shows it. Each
// takes the size from the catalog and gives a canvas of exactly that size.
#pragma once

#include "tools/picture_gen/canvas.h"

namespace kvt::pictures {

// Document Settings page: the receipt preview's parts.
Canvas DrawOutline(int width, int height);                    // 223, 224, 225
Canvas DrawContentUpright(int width, int height);             // 229
Canvas DrawContentSideways(int width, int height);            // 230
Canvas DrawContentUpsideDown(int width, int height);          // 231
Canvas DrawContentSidewaysUpsideDown(int width, int height);  // 232
Canvas DrawPartialCutImage(int width, int height);            // 215
Canvas DrawPartialCutMask(int width, int height);             // 216
Canvas DrawPartialFeedCutImage(int width, int height);        // 217
Canvas DrawPartialFeedCutMask(int width, int height);         // 218
Canvas DrawFullCutImage(int width, int height);               // 219
Canvas DrawFullCutMask(int width, int height);                // 220
Canvas DrawFullFeedCutImage(int width, int height);           // 221
Canvas DrawFullFeedCutMask(int width, int height);            // 222
Canvas DrawDrawer(int width, int height);                     // 246
// Document Settings page: the step buttons' faces and the preset icons.
Canvas DrawStepLeftImage(int width, int height);    // 130
Canvas DrawStepLeftMask(int width, int height);     // 131
Canvas DrawStepRightMask(int width, int height);    // 132
Canvas DrawStepRightImage(int width, int height);   // 133
Canvas DrawPresetUser(int width, int height);       // 250
Canvas DrawPreset58Marked(int width, int height);   // 251
Canvas DrawPreset58Receipt(int width, int height);  // 252
Canvas DrawPresetA4To58(int width, int height);     // 253
Canvas DrawPreset80Marked(int width, int height);   // 254
Canvas DrawPreset80Receipt(int width, int height);  // 255
Canvas DrawPresetA4To80(int width, int height);     // 256

// The settings trees' icons.
Canvas DrawIconDocument(int width, int height);    // 201
Canvas DrawIconPrinter(int width, int height);     // 202
Canvas DrawIconReceipt(int width, int height);     // 203
Canvas DrawIconGeneral(int width, int height);     // 204
Canvas DrawIconPaperCut(int width, int height);    // 205
Canvas DrawIconDeviceFont(int width, int height);  // 206
Canvas DrawIconOption(int width, int height);      // 207
Canvas DrawIconWatermark(int width, int height);   // 208
Canvas DrawIconBarcode(int width, int height);     // 209
Canvas DrawIconBarcode2D(int width, int height);   // 210
Canvas DrawIconControlA(int width, int height);    // 211

// Font page.
Canvas DrawFontsUsable(int width, int height);   // 257
Canvas DrawFontsBlocked(int width, int height);  // 258

// Watermark page.
Canvas DrawWatermarkReceipt(int width, int height);                 // 189
Canvas DrawWatermarkSample(int width, int height);                  // 245
Canvas DrawWatermarkText(int width, int height);                    // 196
Canvas DrawWatermarkTextSideways(int width, int height);            // 197
Canvas DrawWatermarkTextUpsideDown(int width, int height);          // 198
Canvas DrawWatermarkTextSidewaysUpsideDown(int width, int height);  // 199
Canvas DrawGrid(int width, int height);                             // 155
Canvas DrawGridDisabled(int width, int height);                     // 167

// Tools page.
Canvas DrawToolsLogo(int width, int height);  // 156

}  // namespace kvt::pictures
