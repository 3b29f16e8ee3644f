/* The paper forms of the KVT QV-J27 driver package: the names the resource
   library "KvtQvj2Res.dll" gives the Document Settings page's presets, and
   the sizes the printer's form list offers under those names. Plain
   #defines: the resource compiler reads this file too. Sizes are in
   thousandths of a millimetre, as FORM_INFO_1W has them. */
#pragma once

/* Presets "80mm Receipt Setting" and "80mm Marked Paper Setting". */
#define KVT_FORM_ROLL_80 "Roll Paper 80 x 297 mm"
#define KVT_FORM_ROLL_80_WIDTH 80000
/* Presets "58mm Receipt Setting" and "58mm Marked Paper Setting". */
#define KVT_FORM_ROLL_58 "Roll Paper 58 x 297 mm"
#define KVT_FORM_ROLL_58_WIDTH 58000
#define KVT_FORM_ROLL_LENGTH 297000
/* Presets "A4->80mm Reduction Setting" and "A4->58mm Reduction Setting":
   the system's own A4 form. */
#define KVT_FORM_A4 "A4"

/* String ids of the form names in KvtQvj2Res.dll. */
#define IDS_FORM_ROLL_80 10000
#define IDS_FORM_ROLL_58 10001
#define IDS_FORM_A4 10012
