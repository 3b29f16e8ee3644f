// Identifiers of the plug-in's own resources (KvtQvj2Ui.rc), shared by the
// resource script and the code. Plain #defines only: windres reads this too.
#pragma once

// --- Dialog templates of the printing-preferences pages, in sheet order.
#define IDD_DOCUMENT_SETTINGS_PAGE 118
#define IDD_FONT_PAGE 119
#define IDD_WATERMARK_PAGE 120

// --- The Document Settings page's sections, children of its group box.
#define IDD_PAPER_CUT_SECTION 103
#define IDD_OPTION_SECTION 104
#define IDD_GENERAL_SECTION 105

// --- Page titles (string table, English and Japanese under the same id).
#define IDS_DOCUMENT_SETTINGS_TITLE 500
#define IDS_FONT_TITLE 501
#define IDS_WATERMARK_TITLE 502

// --- Items the pages' templates share. The three placeholders only give
// the place and size: a page destroys each one at initialisation and puts
// its own control there.
#define IDC_PREVIEW_PLACEHOLDER 1047   // the preview picture
#define IDC_SPLITTER_PLACEHOLDER 1287  // the splitter between picture and list
#define IDC_SETTINGS_LIST_PLACEHOLDER 1050  // the settings tree

// --- Document Settings page (118).
#define IDC_PRESET_COMBO 1058
#define IDC_SECTION_GROUP 1061  // hosts the General, Paper Cut and Option sections

// --- Font page (119).
#define IDC_FONT_SECTION_GROUP 1133  // hosts the device-font sections

// --- Watermark page (120).
#define IDC_WATERMARK_POSITION_GROUP 1314
#define IDC_WATERMARK_TEST_PRINT_GROUP 1349
