// Identifiers of the module's picture resources (pictures.rc). Plain
// #defines only: windres reads this too.
#pragma once

// --- Bitmaps (24 bits per pixel).
// Step-button faces: each arrow is an image, put on with SRCPAINT after its
// mask with SRCAND.
#define IDB_STEP_LEFT 130
#define IDB_STEP_LEFT_MASK 131
#define IDB_STEP_RIGHT_MASK 132
#define IDB_STEP_RIGHT 133
// The Watermark page's position grid, enabled and disabled.
#define IDB_POSITION_GRID 155
#define IDB_POSITION_GRID_DISABLED 167
#define IDB_TOOLS_LOGO 156
#define IDB_WATERMARK_RECEIPT 189
// Cut marks: image and mask, plain and after feed to the cutter.
#define IDB_PARTIAL_CUT 215
#define IDB_PARTIAL_CUT_MASK 216
#define IDB_PARTIAL_FEED_CUT 217
#define IDB_PARTIAL_FEED_CUT_MASK 218
#define IDB_FULL_CUT 219
#define IDB_FULL_CUT_MASK 220
#define IDB_FULL_FEED_CUT 221
#define IDB_FULL_FEED_CUT_MASK 222
// Receipt outlines by margin: minimum; minimum top or bottom; maximum.
#define IDB_OUTLINE_MINIMUM 223
#define IDB_OUTLINE_ONE_SIDE 224
#define IDB_OUTLINE_MAXIMUM 225
// Page content, put on an outline with SRCAND.
#define IDB_CONTENT 229
#define IDB_CONTENT_SIDEWAYS 230
#define IDB_CONTENT_UPSIDE_DOWN 231
#define IDB_CONTENT_SIDEWAYS_UPSIDE_DOWN 232
#define IDB_WATERMARK_SAMPLE 245
#define IDB_DRAWER 246
// Preset icons (32 x 32).
#define IDB_PRESET_USER 250
#define IDB_PRESET_58_MARKED 251
#define IDB_PRESET_58_RECEIPT 252
#define IDB_PRESET_A4_TO_58 253
#define IDB_PRESET_80_MARKED 254
#define IDB_PRESET_80_RECEIPT 255
#define IDB_PRESET_A4_TO_80 256
// The Font page's picture while device fonts can and cannot be used.
#define IDB_FONTS_USABLE 257
#define IDB_FONTS_BLOCKED 258

// --- RCDATA: the Watermark page's text, TIFF with premultiplied alpha.
#define IDR_WATERMARK_TEXT 196
#define IDR_WATERMARK_TEXT_SIDEWAYS 197
#define IDR_WATERMARK_TEXT_UPSIDE_DOWN 198
#define IDR_WATERMARK_TEXT_SIDEWAYS_UPSIDE_DOWN 199

// --- Icons of the settings trees (16 x 16 and 32 x 32).
#define IDI_DOCUMENT 201
#define IDI_PRINTER 202
#define IDI_RECEIPT 203
#define IDI_GENERAL 204
#define IDI_PAPER_CUT 205
#define IDI_DEVICE_FONT 206
#define IDI_OPTION 207
#define IDI_WATERMARK 208
#define IDI_BARCODE 209
#define IDI_BARCODE_2D 210
#define IDI_CONTROL_A 211
