// Strings of the Document Settings page's settings list (settings_list.rc):
// item labels, value texts and the number formats of the values. Plain
// #defines only: windres reads this too. Some ids are shared with the
// sections that edit the same fields, so both show the same words.
#pragma once

// --- Section headers and the four points of a job.
#define IDS_LIST_GENERAL 600
#define IDS_LIST_PAPER_CUT 601
#define IDS_LIST_OPTION 602
#define IDS_LIST_PRINT_START 603
#define IDS_LIST_PAGE_START 604
#define IDS_LIST_PAGE_END 605
#define IDS_LIST_PRINT_END 606

// --- General settings: labels and values.
#define IDS_LABEL_INITIALIZE 311
#define IDS_LABEL_SPEED 312
#define IDS_LABEL_DENSITY 313
#define IDS_LABEL_MARGIN 314
#define IDS_LABEL_DIRECTION 315
#define IDS_LABEL_REDUCTION 316
#define IDS_ENABLED 87
#define IDS_DISABLED 88
#define IDS_SPEED_MIDDLE_SILENT 610
#define IDS_SPEED_LOW 611
#define IDS_SPEED_MIDDLE_QUALITY 612
#define IDS_SPEED_HIGH 613
#define IDS_MARGIN_MINIMUM 317
#define IDS_MARGIN_MINIMUM_TOP 318
#define IDS_MARGIN_MINIMUM_BOTTOM 319
#define IDS_MARGIN_MAXIMUM 320
#define IDS_DIRECTION_FRONT_TO_BACK 56
#define IDS_DIRECTION_BACK_TO_FRONT 57

// --- Paper cut and marked paper: labels and values.
#define IDS_LABEL_PAPER_CUT 341
#define IDS_LABEL_FEED_TO_CUT 348
#define IDS_LABEL_MARKED_PAPER_FEED 351
#define IDS_LABEL_FORM_FEED_CORRECT 355
#define IDS_CUT_NONE 342
#define IDS_CUT_FULL_EACH_JOB 343
#define IDS_CUT_PARTIAL_EACH_JOB 344
#define IDS_CUT_FULL_EACH_PAGE 345
#define IDS_CUT_PARTIAL_EACH_PAGE 346
#define IDS_CUT_PARTIAL_BETWEEN_PAGES 347
#define IDS_MARKED_EACH_PAGE 352
#define IDS_MARKED_EACH_JOB 353

// --- Option groups: labels and values.
#define IDS_LABEL_LOGO 414
#define IDS_LABEL_KEYCODE 82
#define IDS_LABEL_LOGO_POSITION 426
#define IDS_LABEL_DRAWER 415
#define IDS_LABEL_ON_TIME 419
#define IDS_LABEL_OFF_TIME 420
#define IDS_LABEL_FEED 422
#define IDS_LABEL_BUZZER 424
#define IDS_LABEL_SEND_COMMAND 425
#define IDS_LOGO_DISABLED 6
#define IDS_LOGO_ENABLED 86
#define IDS_ALIGN_LEFT 247
#define IDS_ALIGN_CENTER 248
#define IDS_ALIGN_RIGHT 249
#define IDS_DRAWER_DISABLED 416
#define IDS_DRAWER_1 417
#define IDS_DRAWER_2 418
#define IDS_BUZZER_ON 614
#define IDS_BUZZER_OFF 615

// --- Number formats of the values ("%d" is the number, "%%" a percent sign).
#define IDS_FORMAT_PERCENT 620
#define IDS_FORMAT_DOTS 621
#define IDS_FORMAT_MILLISECONDS 622
