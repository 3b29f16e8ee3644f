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

// --- Barcode font section (112).
#define IDC_BARCODE_FONT_COMBO 1117
#define IDC_BARCODE_SYSTEM_COMBO 1118
#define IDC_BARCODE_START_COMBO 1119
#define IDC_BARCODE_STOP_COMBO 1120
#define IDC_BARCODE_HRI_COMBO 1121
#define IDC_BARCODE_ROTATE_COMBO 1122
#define IDC_BARCODE_WIDTH_EDIT 1030
#define IDC_BARCODE_WIDTH_SPIN 1221
#define IDC_BARCODE_HEIGHT_EDIT 1263
#define IDC_BARCODE_HEIGHT_SPIN 1220
#define IDC_BARCODE_HEX_ENABLED 1048
#define IDC_BARCODE_HEX_DISABLED 1049
#define IDC_BARCODE_LEFT 1251
#define IDC_BARCODE_CENTER 1252
#define IDC_BARCODE_RIGHT 1253
#define IDC_BARCODE_INFO_ON 1254
#define IDC_BARCODE_INFO_OFF 1255
#define IDC_BARCODE_DATA_EDIT 1264
#define IDC_BARCODE_PRINT 1265
// The start/stop label, its line, and the "Start" and "Stop" texts.
#define IDC_BARCODE_START_STOP_LABEL 1257
#define IDC_BARCODE_START_STOP_LINE 1191
#define IDC_BARCODE_START_TEXT 1259
#define IDC_BARCODE_STOP_TEXT 1261

// --- 2D barcode font section (113).
#define IDC_BARCODE_2D_FONT_COMBO 1123
#define IDC_BARCODE_2D_SYSTEM_COMBO 1124
#define IDC_BARCODE_2D_SIZE_COMBO 1125
#define IDC_BARCODE_2D_HEIGHT_COMBO 1126
#define IDC_BARCODE_2D_ROTATE_COMBO 1127
#define IDC_BARCODE_2D_ECL_COMBO 1085
#define IDC_BARCODE_2D_HEX_ENABLED 1291
#define IDC_BARCODE_2D_HEX_DISABLED 1292
#define IDC_BARCODE_2D_LEFT 1001
#define IDC_BARCODE_2D_CENTER 1002
#define IDC_BARCODE_2D_RIGHT 1003
#define IDC_BARCODE_2D_INFO_ON 1004
#define IDC_BARCODE_2D_INFO_OFF 1005
#define IDC_BARCODE_2D_DATA_EDIT 1073
#define IDC_BARCODE_2D_PRINT 1266
// Module Height's label, line and unit.
#define IDC_BARCODE_2D_HEIGHT_LABEL 1249
#define IDC_BARCODE_2D_HEIGHT_LINE 1202
#define IDC_BARCODE_2D_HEIGHT_UNIT 1250

// --- Buttons of the later sections whose clicks the page passes on.
#define IDC_CONTROL_A_PRINT 1083
#define IDC_CONTROL_A_EDIT 1245
#define IDC_CONTROL_A_DELETE 1247
// The Control A section's lists: the one shown and the hidden one that
// keeps the whole command texts.
#define IDC_CONTROL_A_LIST 1089
#define IDC_CONTROL_A_FULL_LIST 1289
// Its column headers and the test print's document name.
#define IDS_CONTROL_A_CHAR 53
#define IDS_CONTROL_A_HEX 54
#define IDS_CONTROL_A_COMMAND 55
#define IDS_CONTROL_A_TEST_DOCUMENT 2072

// --- The list's entries (English and Japanese under the same ids).
#define IDS_DEVICE_FONT_SETTINGS 302
#define IDS_BARCODE_FONT_SETTINGS 50
#define IDS_BARCODE_2D_FONT_SETTINGS 51
#define IDS_CONTROL_A_FONT_SETTINGS 52

// --- The barcode sections' combo texts: "IPD Barcode%d", "IPD
// 2D-Barcode%d", the systems, HRI, rotation and error correction levels.
#define IDS_BARCODE_FONT_NAME 20
#define IDS_BARCODE_2D_FONT_NAME 21
#define IDS_BARCODE_SYSTEM_FIRST 22  // to 32
#define IDS_BARCODE_2D_QR 33
#define IDS_BARCODE_2D_PDF417 34
#define IDS_BARCODE_HRI_FIRST 35     // to 41
#define IDS_BARCODE_ROTATE_FIRST 42  // to 45
#define IDS_BARCODE_ECL_FIRST 46     // to 49

// --- The test prints: the values and labels of the information lines and
// the documents' names.
#define IDS_INFO_ROTATE_FIRST 2062    // to 2065
#define IDS_INFO_POSITION_FIRST 2066  // to 2068
#define IDS_INFO_FONT_NAME 2078
#define IDS_INFO_SYSTEM 2079
#define IDS_INFO_WIDTH 2080
#define IDS_INFO_HEIGHT 2081
#define IDS_INFO_HRI 2082
#define IDS_INFO_ROTATE 2083
#define IDS_INFO_POSITION 2084
#define IDS_INFO_SIZE 2085
#define IDS_INFO_ECL 2086
#define IDS_INFO_START 2092
#define IDS_INFO_STOP 2093
#define IDS_INFO_HEX_INPUT 2094
#define IDS_INFO_ENABLED 2095
#define IDS_INFO_DISABLED 2096
#define IDS_BARCODE_TEST_DOCUMENT 2106
#define IDS_BARCODE_2D_TEST_DOCUMENT 2107

// --- The panel's text: the heading, then one line per setting in the way.
#define IDS_FONT_UNAVAILABLE 58
#define IDS_FONT_UNAVAILABLE_DIRECTION 59
#define IDS_FONT_UNAVAILABLE_REDUCTION 60
#define IDS_FONT_UNAVAILABLE_WATERMARK 61
#define IDS_FONT_UNAVAILABLE_LANDSCAPE 62
