// Controls and strings of the printer properties' Tools page
// (tools_page.rc). Plain #defines only: windres reads this too.
#pragma once

#define IDD_TOOLS_PAGE 121    // the page itself, caption "Tool", no controls
#define IDD_TOOLS_DIALOG 106  // the child dialog the page hosts

#define IDS_TOOLS_DRIVER_TITLE 2129  // "%s\nPrinter Driver\n\nVersion %d.%d%d"

#define IDC_TOOLS_LOGO 1500
#define IDC_TOOLS_TITLE 1501
#define IDC_TOOLS_FILE_VERSION 1290
// Version rows: label 1502 + 2 * row, value 1503 + 2 * row (rows 0 to 6).
#define IDC_TOOLS_ROW_FIRST_LABEL 1502
#define IDC_TOOLS_PANEL_LINE 1516

// Button rows: button, description, separator below (none after the last).
#define IDC_TOOLS_INFORMATION 1520
#define IDC_TOOLS_INFORMATION_TEXT 1521
#define IDC_TOOLS_INFORMATION_LINE 1523
#define IDC_TOOLS_MEMORY_SWITCH 1524
#define IDC_TOOLS_MEMORY_SWITCH_TEXT 1525
#define IDC_TOOLS_MEMORY_SWITCH_LINE 1526
#define IDC_TOOLS_LOG 1527
#define IDC_TOOLS_LOG_TEXT 1528
#define IDC_TOOLS_LOG_LINE 1529
#define IDC_TOOLS_TEST_PRINT 1530
#define IDC_TOOLS_TEST_PRINT_TEXT 1531
#define IDC_TOOLS_TEST_PRINT_LINE 1532
#define IDC_TOOLS_NV_IMAGE 1533
#define IDC_TOOLS_NV_IMAGE_TEXT 1534
#define IDC_TOOLS_NV_IMAGE_LINE 1535
#define IDC_TOOLS_CODEPAGE 1536
#define IDC_TOOLS_CODEPAGE_TEXT 1537
#define IDC_TOOLS_CODEPAGE_LINE 1538
#define IDC_TOOLS_OTHER 1539
#define IDC_TOOLS_OTHER_TEXT 1540
