// Identifiers of the stand-in utility library's resources (KvtQvj2Utl.rc),
// shared by its resource script and its code. Plain #defines only.
#pragma once

#define IDD_HEX_EDITOR 100
#define IDC_HEX_TEXT 1001    // the bytes as hexadecimal pairs
#define IDC_HEX_STATUS 1002  // how many bytes, of how many allowed

#define IDS_HEX_STATUS 100      // "%u of %u bytes"
#define IDS_HEX_TOO_MANY 101    // "%u bytes: at most %u"
#define IDS_UTILITY_TITLE 102   // the printer functions' box title
#define IDS_UTILITY_TEXT 103    // "%ls\r\n\r\nPrinter: %ls"
#define IDS_FUNCTION_FIRST 110  // the names of functions 0 to 6
