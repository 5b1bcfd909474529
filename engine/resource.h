// Resource numbers of the language module, shared by its resource script and
// by the code of every module that takes dialogs, strings, icons and cursors
// from it.
#pragma once

// Strings. 501-552 are also the calendar's menu command numbers; 801-805 are
// submenu texts.
#define IDS_LANGUAGE              500
#define IDS_MENU_SETTINGS         501
#define IDS_MENU_VERSION          502
#define IDS_MENU_UPDATE           503
#define IDS_MENU_PLUGIN_UPDATE    505
#define IDS_MENU_PLUGIN_INFO      506
#define IDS_MENU_PLUGIN_ACTIVATE  507
#define IDS_MENU_HELP             509
#define IDS_MENU_INITIAL_POSITION 510
#define IDS_MENU_REDRAW           511
#define IDS_MENU_EXIT             512
#define IDS_MENU_DAY_MEMO         513
#define IDS_MENU_REPEAT_MEMO      514
#define IDS_MENU_PERIOD_MEMO      515
#define IDS_MENU_YEAR_BACK        516
#define IDS_MENU_3MONTHS_BACK     518
#define IDS_MENU_MONTH_BACK       519
#define IDS_MENU_THIS_MONTH       520
#define IDS_MENU_MONTH_NEXT       521
#define IDS_MENU_3MONTHS_NEXT     522
#define IDS_MENU_YEAR_NEXT        524
#define IDS_MENU_WINDOW_FIX       525
#define IDS_MENU_TOPMOST          526
#define IDS_MENU_BOTTOMMOST       527
#define IDS_MENU_SHUTDOWN         528
#define IDS_MENU_REBOOT           529
#define IDS_MENU_STANDBY          530
#define IDS_MENU_HIBERNATE        531
#define IDS_MENU_LOGOFF           532
#define IDS_MENU_MY_HOLIDAY       533
#define IDS_MENU_WALLPAPER        534
#define IDS_MENU_WALLPAPER_EXIT   535
#define IDS_MENU_MEMO_SETTINGS    541
#define IDS_MENU_MEMO_IMPORT      542
#define IDS_MENU_MEMO_EXPORT      543
#define IDS_MENU_MEMO_SEARCH      544
#define IDS_MENU_MEMORIAL         551
#define IDS_MENU_MEMORIAL_ADD     552
#define IDS_SUBMENU_TOOLS         801
#define IDS_SUBMENU_PLUGIN        802
#define IDS_SUBMENU_OPTIONS       803
#define IDS_SUBMENU_POWER         804
#define IDS_SUBMENU_LAUNCHER      805

// Icons.
#define IDI_PROGRAM               10
#define IDI_PROGRAM_SMALL         11
#define IDI_PROGRAM_A             12
#define IDI_PROGRAM_B             13
#define IDI_SPARE                 114

// Cursors, in the order the main program loads them: 51-54, then 58, 56, 57, 55.
#define IDC_CURSOR_NORMAL         51
#define IDC_CURSOR_COPY           52
#define IDC_CURSOR_MOVE           53
#define IDC_CURSOR_WAIT           54
#define IDC_CURSOR_HAND           55
#define IDC_CURSOR_NODROP         56
#define IDC_CURSOR_SIZEALL        57
#define IDC_CURSOR_PIN            58

// Dialog templates of the engine and of the memo windows. The version dialog
// (100) belongs to the common library, which numbers its controls; the
// settings dialog (130-144) numbers its own. Buttons 1, 2 and 9 of every
// dialog are IDOK, IDCANCEL and IDHELP.
#include "VersionDialogIds.h"
#define IDD_HOLIDAY               111
#define IDD_MARK                  112
#define IDD_MARK_EX               113
#define IDD_DAYMEMO               114
#define IDD_REPEATMEMO            115
#define IDD_PERIODMEMO            116
#define IDD_REPEATCOPY            117
#define IDD_MEMORIAL              118
#define IDD_PLUGIN                119
#define IDD_NETDATA               120
#define IDD_MEMOSET               160
#define IDD_MEMOSET_GENERAL       161
#define IDD_MEMOSET_POPUP         162
#define IDD_MEMOSET_MARK          163
#define IDD_MEMOSET_SEARCH        164
#define IDD_MEMOSET_IMPEX         165
#define IDD_REPEATMEMO_DETAIL     179

// Move-up and move-down glyph buttons of the list dialogs (115, 119).
#define IDC_LIST_BTN_UP           1011
#define IDC_LIST_BTN_DOWN         1012

// Plug-in information (119).
#define IDC_PLUGIN_BTN_UPDATE     4
#define IDC_PLUGIN_LIST           1501

// Day memo (114) and period memo (116) share the date caption, the list or
// edit numbers and the date stepping row: back and forward buttons per unit,
// each pair around its one-character label.
#define IDC_MEMO_LABEL_DATE       4001
#define IDC_PERIODMEMO_LIST       4002
#define IDC_DAYMEMO_EDIT_TEXT     4006
#define IDC_MEMO_BTN_YEAR_BACK    4010
#define IDC_MEMO_BTN_YEAR_NEXT    4011
#define IDC_MEMO_BTN_MONTH_BACK   4012
#define IDC_MEMO_BTN_MONTH_NEXT   4013
#define IDC_MEMO_BTN_WEEK_BACK    4014
#define IDC_MEMO_BTN_WEEK_NEXT    4015
#define IDC_MEMO_BTN_DAY_BACK     4016
#define IDC_MEMO_BTN_DAY_NEXT     4017
#define IDC_MEMO_LABEL_YEAR       4018
#define IDC_MEMO_LABEL_MONTH      4019
#define IDC_MEMO_LABEL_WEEK       4020
#define IDC_MEMO_LABEL_DAY        4021
#define IDC_PERIODMEMO_COMBO_PERIOD 4030
#define IDC_DAYMEMO_LABEL_MARK    4031
#define IDC_DAYMEMO_LABEL_TIME    4033
#define IDC_DAYMEMO_TIME          4034
#define IDC_DAYMEMO_BTN_MENU      4043
#define IDC_DAYMEMO_BTN_MARK      4133
#define IDC_DAYMEMO_COMBO_MARK    4134
// Commands of the day memo's menu; 4044 is its internal save.
#define IDM_DAYMEMO_REPEAT        4041
#define IDM_DAYMEMO_PERIOD        4042
#define IDM_DAYMEMO_SAVE          4044
#define IDM_DAYMEMO_ERASE         4045

// Repeating memos: the list (115) and the detail dialog (179).
#define IDC_REPEATMEMO_LIST       4002
#define IDC_REPEATMEMO_BTN_ADD    4003
#define IDC_REPEATMEMO_BTN_CHANGE 4004
#define IDC_REPEATMEMO_BTN_DELETE 4005
#define IDC_REPEATDETAIL_EDIT_TEXT        4006
#define IDC_REPEATDETAIL_BTN_MARK         4133
#define IDC_REPEATDETAIL_RADIO_DAILY      4201   // type 1; types 1-6 are 4201-4206
#define IDC_REPEATDETAIL_RADIO_WEEKLY     4202
#define IDC_REPEATDETAIL_RADIO_MONTH_DATE 4203
#define IDC_REPEATDETAIL_RADIO_MONTH_WEEK 4204
#define IDC_REPEATDETAIL_RADIO_YEAR_DATE  4205
#define IDC_REPEATDETAIL_RADIO_YEAR_WEEK  4206
#define IDC_REPEATDETAIL_COMBO_MONTH      4208
#define IDC_REPEATDETAIL_COMBO_DAY        4209
#define IDC_REPEATDETAIL_COMBO_WEEK       4210
#define IDC_REPEATDETAIL_RADIO_KEEP       4211   // holiday shift 0-2 are 4211-4213
#define IDC_REPEATDETAIL_RADIO_BEFORE     4212
#define IDC_REPEATDETAIL_RADIO_AFTER      4213
#define IDC_REPEATDETAIL_CHECK_SUN        4214   // weekday bits 0-6 are 4214-4220
#define IDC_REPEATDETAIL_CHECK_MON        4215
#define IDC_REPEATDETAIL_CHECK_TUE        4216
#define IDC_REPEATDETAIL_CHECK_WED        4217
#define IDC_REPEATDETAIL_CHECK_THU        4218
#define IDC_REPEATDETAIL_CHECK_FRI        4219
#define IDC_REPEATDETAIL_CHECK_SAT        4220
#define IDC_REPEATDETAIL_DATE_FIRST       4221
#define IDC_REPEATDETAIL_DATE_LAST        4222
#define IDC_REPEATDETAIL_GROUP_TEXT       4230
#define IDC_REPEATDETAIL_GROUP_RULE       4231
#define IDC_REPEATDETAIL_GROUP_DATE       4232
#define IDC_REPEATDETAIL_GROUP_HOLIDAY    4233
#define IDC_REPEATDETAIL_GROUP_WEEKDAY    4234
#define IDC_REPEATDETAIL_GROUP_PERIOD     4235
#define IDC_REPEATDETAIL_LABEL_TILDE      4236
#define IDC_REPEATDETAIL_LABEL_MARK       4716

// Memo settings frame (160) and its pages (161-165).
#define IDC_MEMOSET_BTN_APPLY     81
#define IDC_MEMOSET_TAB           4000
// Page " 各種設定 " (161).
#define IDC_MEMOGENERAL_CHECK_TOOLTIP   4101
#define IDC_MEMOGENERAL_CHECK_MARK      4102
#define IDC_MEMOGENERAL_CHECK_TRAY      4103
#define IDC_MEMOGENERAL_CHECK_IME       4104
#define IDC_MEMOGENERAL_CHECK_MONTHFILE 4105
#define IDC_MEMOGENERAL_CHECK_PERUSER   4106
#define IDC_MEMOGENERAL_EDIT_FOLDER     4107
#define IDC_MEMOGENERAL_BTN_BROWSE      4108
#define IDC_MEMOGENERAL_EDIT_FONTSIZE   4109
#define IDC_MEMOGENERAL_SPIN_FONTSIZE   4110
#define IDC_MEMOGENERAL_RADIO_MINCHO    4111   // MemoDialogFont 0 and 1
#define IDC_MEMOGENERAL_RADIO_GOTHIC    4112
#define IDC_MEMOGENERAL_GROUP_SHOW      4113
#define IDC_MEMOGENERAL_GROUP_STORE     4114
#define IDC_MEMOGENERAL_GROUP_FONT      4115
#define IDC_MEMOGENERAL_LABEL_FOLDER    4116
#define IDC_MEMOGENERAL_LABEL_FONTSIZE  4117
// Page " ポップアップ " (162); its labels and groups take 4141-4147.
#define IDC_MEMOPOPUP_CHECK_START       4121
#define IDC_MEMOPOPUP_CHECK_HIDELATE    4122
#define IDC_MEMOPOPUP_CHECK_TOMORROWLATE 4123
#define IDC_MEMOPOPUP_TIME_START        4124
#define IDC_MEMOPOPUP_CHECK_TOMORROW    4125
#define IDC_MEMOPOPUP_TIME_TOMORROW     4126
#define IDC_MEMOPOPUP_EDIT_INTERVAL     4127
#define IDC_MEMOPOPUP_SPIN_INTERVAL     4128
#define IDC_MEMOPOPUP_EDIT_SOUND        4129
#define IDC_MEMOPOPUP_BTN_BROWSE        4130
#define IDC_MEMOPOPUP_GROUP_START       4141
#define IDC_MEMOPOPUP_GROUP_TOMORROW    4142
#define IDC_MEMOPOPUP_GROUP_RESUME      4143
#define IDC_MEMOPOPUP_GROUP_SOUND       4144
#define IDC_MEMOPOPUP_LABEL_TIME        4145
#define IDC_MEMOPOPUP_LABEL_INTERVAL    4146
#define IDC_MEMOPOPUP_LABEL_SECONDS     4147
// Page " マーク " (163); its labels and groups take 4161-4164.
#define IDC_MEMOMARK_RADIO_OWN          4131   // own style, or a user mark
#define IDC_MEMOMARK_RADIO_USER         4132
#define IDC_MEMOMARK_BTN_OWN            4133
#define IDC_MEMOMARK_COMBO_USER         4134
#define IDC_MEMOMARK_LIST_USERMARKS     4135
#define IDC_MEMOMARK_EDIT_NAME          4136
#define IDC_MEMOMARK_BTN_USERMARK       4137
#define IDC_MEMOMARK_EDIT_COUNT         4138
#define IDC_MEMOMARK_SPIN_COUNT         4139
#define IDC_MEMOMARK_GROUP_DEFAULT      4161
#define IDC_MEMOMARK_GROUP_USERMARKS    4162
#define IDC_MEMOMARK_LABEL_NAME         4163
#define IDC_MEMOMARK_LABEL_COUNT        4164
// Page " 検索 " (164).
#define IDC_MEMOSEARCH_BTN_SEARCH       4
#define IDC_MEMOSEARCH_LIST_RESULT      4151
#define IDC_MEMOSEARCH_COMBO_WORD       4152
#define IDC_MEMOSEARCH_CHECK_LINESTART  4153
#define IDC_MEMOSEARCH_CHECK_LINEEND    4154
#define IDC_MEMOSEARCH_CHECK_BYLINE     4155
#define IDC_MEMOSEARCH_DATE_FIRST       4156
#define IDC_MEMOSEARCH_DATE_LAST        4157
#define IDC_MEMOSEARCH_LABEL_WORD       4158
#define IDC_MEMOSEARCH_LABEL_TILDE      4159
// Page " 同期 " (165), import and export.
#define IDC_MEMOIMPEX_BTN_EXPORT        4
#define IDC_MEMOIMPEX_DATE_FIRST        4501
#define IDC_MEMOIMPEX_DATE_LAST         4502
#define IDC_MEMOIMPEX_COMBO_FORMAT      4503
#define IDC_MEMOIMPEX_BTN_IMPORT        4504
#define IDC_MEMOIMPEX_LABEL_DROP        4505
#define IDC_MEMOIMPEX_GROUP_EXPORT      4506
#define IDC_MEMOIMPEX_GROUP_IMPORT      4507
#define IDC_MEMOIMPEX_LABEL_PERIOD      4508
#define IDC_MEMOIMPEX_LABEL_TILDE       4509
#define IDC_MEMOIMPEX_LABEL_FORMAT      4510

// Memorial-day settings (118).
#define IDC_MEMORIAL_BTN_DATES    4401
#define IDC_MEMORIAL_CHECK_POPUP  4402
#define IDC_MEMORIAL_CHECK_TOOLTIP 4403
#define IDC_MEMORIAL_CHECK_AGE    4404
#define IDC_MEMORIAL_CHECK_PERUSER 4405

// Repeat copy (117): the kind is the radio id less 4601.
#define IDC_REPEATCOPY_RADIO_DAILY   4601
#define IDC_REPEATCOPY_RADIO_WEEKLY  4602
#define IDC_REPEATCOPY_RADIO_MONTHLY 4603
#define IDC_REPEATCOPY_RADIO_YEARLY  4604
#define IDC_REPEATCOPY_DATE_FIRST    4605
#define IDC_REPEATCOPY_DATE_LAST     4606
#define IDC_REPEATCOPY_LABEL_TILDE   4607

// Own holidays and memorial days (111).
#define IDC_HOLIDAY_LIST          4701
#define IDC_HOLIDAY_EDIT_YEAR     4702
#define IDC_HOLIDAY_LABEL_YEAR    4703
#define IDC_HOLIDAY_COMBO_MONTH   4704
#define IDC_HOLIDAY_LABEL_MONTH   4705
#define IDC_HOLIDAY_COMBO_DAY     4706
#define IDC_HOLIDAY_LABEL_DAY     4707
#define IDC_HOLIDAY_COMBO_WEEK    4708
#define IDC_HOLIDAY_LABEL_WEEK    4709
#define IDC_HOLIDAY_COMBO_WEEKDAY 4710
#define IDC_HOLIDAY_EDIT_NAME     4711
#define IDC_HOLIDAY_BTN_ADD       4712
#define IDC_HOLIDAY_BTN_CHANGE    4713
#define IDC_HOLIDAY_BTN_DELETE    4714
#define IDC_HOLIDAY_LABEL_MARK    4716
#define IDC_HOLIDAY_BTN_MARK      4717

// Mark dialogs (112 plain, 113 with the user marks).
#define IDC_MARK_LABEL_NAME       4801
#define IDC_MARK_PREVIEW          4802
#define IDC_MARK_COMBO_KIND       4803
#define IDC_MARK_BTN_MARKCOLOR    4804
#define IDC_MARK_BTN_FONT         4805
#define IDC_MARK_BTN_TEXTCOLOR    4806
#define IDC_MARK_CHECK_PLAINCOLOR 4807
#define IDC_MARK_BTN_SHADOWCOLOR  4808
#define IDC_MARK_EDIT_WIDTH       4809
#define IDC_MARK_SPIN_WIDTH       4810
#define IDC_MARK_RADIO_UPRIGHT    4811   // shadow directions 2, 4, 6, 8, outline
#define IDC_MARK_RADIO_DOWNRIGHT  4812
#define IDC_MARK_RADIO_DOWNLEFT   4813
#define IDC_MARK_RADIO_UPLEFT     4814
#define IDC_MARK_RADIO_OUTLINE    4815
#define IDC_MARK_CHECK_GRADATION  4816
#define IDC_MARK_RADIO_INDIVIDUAL 4817
#define IDC_MARK_RADIO_USERMARK   4818
#define IDC_MARK_COMBO_USERMARK   4819
#define IDC_MARK_GROUP_MARK       4820
#define IDC_MARK_GROUP_TEXT       4821
#define IDC_MARK_GROUP_DECORATION 4822
#define IDC_MARK_LABEL_WIDTH      4823
#define IDC_MARK_LABEL_DIRECTION  4824
#define IDC_MARK_FRAME_INDIVIDUAL 4825
#define IDC_MARK_FRAME_USERMARK   4826
