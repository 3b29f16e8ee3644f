// Identifiers of the Option settings section's template (option_section.rc,
// IDD_OPTION_SECTION in resource_ids.h), shared by the resource script and
// the code. Plain #defines only: windres reads this too.
#pragma once

// The four events, push-like radio buttons across the top.
#define IDC_OPTION_PRINT_START 1236
#define IDC_OPTION_PAGE_START 1237
#define IDC_OPTION_PAGE_END 1238
#define IDC_OPTION_PRINT_END 2126

// The current event's group.
#define IDC_OPTION_FRAME 1146  // hidden; the painted frame takes its place
#define IDC_OPTION_LOGO_COMBO 1111
#define IDC_OPTION_KEYCODE_EDIT 1045
#define IDC_OPTION_KEYCODE_UPDOWN 1222
#define IDC_OPTION_ALIGN_LEFT 1070
#define IDC_OPTION_ALIGN_CENTER 1071
#define IDC_OPTION_ALIGN_RIGHT 1072
#define IDC_OPTION_DRAWER_COMBO 1113
#define IDC_OPTION_ON_TIME_EDIT 1240
#define IDC_OPTION_ON_TIME_UPDOWN 1031
#define IDC_OPTION_OFF_TIME_EDIT 1040
#define IDC_OPTION_OFF_TIME_UPDOWN 1042
#define IDC_OPTION_FEED_EDIT 1041
#define IDC_OPTION_FEED_UPDOWN 1043
#define IDC_OPTION_BUZZER_ON 1174
#define IDC_OPTION_BUZZER_OFF 1175
#define IDC_OPTION_COMMAND_EDIT 1241
#define IDC_OPTION_EDIT_COMMAND 1278  // "Edit..."

// Labels the section shows and hides with their controls.
#define IDC_OPTION_KEYCODE_LABEL 1801
#define IDC_OPTION_DRAWER_LABEL 1802
#define IDC_OPTION_DRAWER_LINE 1803
#define IDC_OPTION_ON_TIME_LABEL 1804
#define IDC_OPTION_ON_TIME_UNIT 1805
#define IDC_OPTION_OFF_TIME_LABEL 1806
#define IDC_OPTION_OFF_TIME_UNIT 1807
