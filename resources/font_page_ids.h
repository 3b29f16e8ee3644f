// Identifiers of the Font page's own resources (font_page.rc): the
// templates of its sections and panel, their controls and the page's
// strings. The page's own template and group box are in resource_ids.h.
// Plain #defines only: windres reads this too.
#pragma once

// --- The sections in the Font page's group box, and the panel that stands
// in for them while the device fonts cannot be used.
#define IDD_DEVICE_FONT_SECTION 111
#define IDD_BARCODE_FONT_SECTION 112
#define IDD_BARCODE_2D_FONT_SECTION 113
#define IDD_CONTROL_A_FONT_SECTION 114
#define IDD_FONT_UNAVAILABLE_PANEL 122

// --- Device font section (111).
#define IDC_INTL_CHARSET_COMBO 1115
#define IDC_CODE_TABLE_COMBO 1116

// --- The panel (122): why the device fonts cannot be used.
#define IDC_FONT_UNAVAILABLE_TEXT 1288

// --- Buttons of the later sections whose clicks the page passes on.
#define IDC_BARCODE_PRINT 1265
#define IDC_BARCODE_2D_PRINT 1266
#define IDC_CONTROL_A_PRINT 1083
#define IDC_CONTROL_A_EDIT 1245
#define IDC_CONTROL_A_DELETE 1247

// --- The list's entries (English and Japanese under the same ids).
#define IDS_DEVICE_FONT_SETTINGS 302
#define IDS_BARCODE_FONT_SETTINGS 50
#define IDS_BARCODE_2D_FONT_SETTINGS 51
#define IDS_CONTROL_A_FONT_SETTINGS 52

// --- The panel's text: the heading, then one line per setting in the way.
#define IDS_FONT_UNAVAILABLE 58
#define IDS_FONT_UNAVAILABLE_DIRECTION 59
#define IDS_FONT_UNAVAILABLE_REDUCTION 60
#define IDS_FONT_UNAVAILABLE_WATERMARK 61
#define IDS_FONT_UNAVAILABLE_LANDSCAPE 62
