// The dialog templates of the language module that the engine and the memo
// windows run: each template read back from the built DLL (caption, size,
// kind, font, the controls the code relies on), then created on the test
// display with a do-nothing procedure, its texts measured against its
// controls. With DAYLENS_SHOT_DIR set, every dialog is also saved there as
// <template number>.bmp.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "DialogTemplateReader.h"
#include "resource.h"

namespace {

TEST(DialogTemplateParser, ReadsAHandBuiltExtendedTemplate)
{
    // One control, laid out as the resource compiler writes it.
    std::vector<WORD> words = {1, 0xFFFF, 0, 0, 0, 0, DS_SETFONT, 0x80C0, 1,   // version .. count
                               22, 17, 312, 55, 0, 0, L'T', 0,                  // rect, menu, class, "T"
                               12, 400, 0x8000, L'F', 0};                       // 12 pt, weight, charset 128, "F"
    if (words.size() % 2)
        words.push_back(0);
    std::vector<WORD> item = {0, 0, 0, 0, 0x0001, 0x5001, 5, 6, 40, 14, 1001, 0,  // help, ex, style, rect, id
                              0xFFFF, 0x0080, L'O', L'K', 0, 0};                // button class, "OK", no extra
    words.insert(words.end(), item.begin(), item.end());
    DialogTemplate dialog;
    ASSERT_TRUE(ParseDialogTemplate(reinterpret_cast<const BYTE*>(words.data()), words.size() * 2, &dialog));
    EXPECT_TRUE(dialog.extended);
    EXPECT_EQ(dialog.cx, 312);
    EXPECT_EQ(dialog.caption, L"T");
    EXPECT_EQ(dialog.points, 12);
    EXPECT_EQ(dialog.face, L"F");
    ASSERT_EQ(dialog.controls.size(), 1u);
    EXPECT_EQ(dialog.controls[0].id, 1001u);
    EXPECT_EQ(dialog.controls[0].className, L"button");
    EXPECT_EQ(dialog.controls[0].text, L"OK");
    EXPECT_EQ(dialog.controls[0].style, 0x50010001u);
    // Cut anywhere, it fails instead of reading past the end.
    for (size_t size = 0; size < words.size() * 2; size += 2)
        EXPECT_FALSE(ParseDialogTemplate(reinterpret_cast<const BYTE*>(words.data()), size, &dialog)) << size;
}

// ---------------------------------------------------------------------------
// What each template must be.

enum class Kind { Modal, Sizable, SizableMax, Page };

struct ExpectedControl {
    DWORD id;
    Ctl kind;
    const char* text;            // the template's text; null: filled in by the code
    const char* sample = nullptr; // the longest text the code puts there
    DWORD style = 0;             // style bits the code relies on
};

struct ExpectedTemplate {
    int id;
    const char* caption;
    short x, y, cx, cy;
    Kind kind;
    const char* face;
    int points;
    std::vector<ExpectedControl> controls;
    DWORD exStyle = 0;
};

const char* const kPMincho = "ＭＳ Ｐ明朝";
const char* const kMincho = "ＭＳ 明朝";
const char* const kLongDate = "2019年12月31日";
const char* const kShortDate = "2019/12/31";
const char* const kTime = "23:59";
const DWORD kList = LVS_REPORT | LVS_SINGLESEL;

// The date stepping row of the day and period memo windows.
std::vector<ExpectedControl> StepRow()
{
    std::vector<ExpectedControl> row;
    for (DWORD id = IDC_MEMO_BTN_YEAR_BACK; id <= IDC_MEMO_BTN_DAY_NEXT; id++)
        row.push_back({id, Ctl::OwnerDraw, ""});
    row.push_back({IDC_MEMO_LABEL_YEAR, Ctl::Label, "年"});
    row.push_back({IDC_MEMO_LABEL_MONTH, Ctl::Label, "月"});
    row.push_back({IDC_MEMO_LABEL_WEEK, Ctl::Label, "週"});
    row.push_back({IDC_MEMO_LABEL_DAY, Ctl::Label, "日"});
    return row;
}

std::vector<ExpectedControl> Join(std::vector<ExpectedControl> a, const std::vector<ExpectedControl>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Controls of both mark dialogs.
std::vector<ExpectedControl> MarkControls()
{
    return {
        {IDC_MARK_LABEL_NAME, Ctl::Label, "", "マイホリデイマーク"},
        {IDC_MARK_PREVIEW, Ctl::Label, "27"},
        {IDC_MARK_COMBO_KIND, Ctl::DropList, nullptr, "マークなし"},
        {IDC_MARK_BTN_MARKCOLOR, Ctl::OwnerDraw, "マーク色"},
        {IDC_MARK_BTN_FONT, Ctl::OwnerDraw, "フォント"},
        {IDC_MARK_BTN_TEXTCOLOR, Ctl::OwnerDraw, "文字色"},
        {IDC_MARK_CHECK_PLAINCOLOR, Ctl::Check, " 文字色は変更しない"},
        {IDC_MARK_BTN_SHADOWCOLOR, Ctl::OwnerDraw, "色変更"},
        {IDC_MARK_LABEL_WIDTH, Ctl::Label, "太さ"},
        {IDC_MARK_EDIT_WIDTH, Ctl::Edit, nullptr, "99", ES_NUMBER},
        {IDC_MARK_SPIN_WIDTH, Ctl::UpDown, nullptr},
        {IDC_MARK_LABEL_DIRECTION, Ctl::Label, "影の向き"},
        {IDC_MARK_RADIO_UPRIGHT, Ctl::Radio, " 右上", nullptr, WS_GROUP},
        {IDC_MARK_RADIO_DOWNRIGHT, Ctl::Radio, " 右下"},
        {IDC_MARK_RADIO_DOWNLEFT, Ctl::Radio, " 左下"},
        {IDC_MARK_RADIO_UPLEFT, Ctl::Radio, " 左上"},
        {IDC_MARK_RADIO_OUTLINE, Ctl::Radio, " 縁取りする"},
        {IDC_MARK_CHECK_GRADATION, Ctl::Check, " グラデーションをかける"},
        {IDC_MARK_GROUP_MARK, Ctl::Group, " マーク設定 "},
        {IDC_MARK_GROUP_DECORATION, Ctl::Group, " 文字の装飾 "},
        {IDOK, Ctl::DefButton, "設定"},
        {IDCANCEL, Ctl::Button, "キャンセル"},
    };
}

const std::vector<ExpectedTemplate>& Templates()
{
    static const std::vector<ExpectedTemplate> templates = {
        {IDD_ABOUT, "バージョン情報", 22, 17, 312, 55, Kind::Modal, kPMincho, 12, {
            {IDC_ABOUT_TITLE, Ctl::Label, "", "Daylens デスクトップカレンダー on Windows 10 Professional 64bit"},
            {IDC_ABOUT_VERSION, Ctl::Label, "", "Version 1.20.01 (04/01/2019)"},
            {IDC_ABOUT_NOTICE, Ctl::Label, "", "Copyright (C) 2004-2019 Velmora. All rights reserved."},
            {IDC_ABOUT_LINK, Ctl::Label, "", "https://www.velmora.example/daylens/", SS_NOTIFY},
            {IDCANCEL, Ctl::DefButton, "OK"},
        }},
        {IDD_HOLIDAY, "Daylens 休日設定", 0, 0, 253, 151, Kind::Sizable, kMincho, 11, {
            {IDC_HOLIDAY_LIST, Ctl::ListView, nullptr, nullptr, kList},
            {IDC_HOLIDAY_BTN_ADD, Ctl::Button, "↑ 追加"},
            {IDC_HOLIDAY_BTN_CHANGE, Ctl::Button, "☆ 変更"},
            {IDC_HOLIDAY_BTN_DELETE, Ctl::Button, "× 削除"},
            {IDC_HOLIDAY_EDIT_YEAR, Ctl::Edit, nullptr, "2019", ES_NUMBER},
            {IDC_HOLIDAY_LABEL_YEAR, Ctl::Label, "年"},
            {IDC_HOLIDAY_COMBO_MONTH, Ctl::DropList, nullptr, "12"},
            {IDC_HOLIDAY_LABEL_MONTH, Ctl::Label, "月"},
            {IDC_HOLIDAY_COMBO_DAY, Ctl::DropList, nullptr, "31"},
            {IDC_HOLIDAY_LABEL_DAY, Ctl::Label, "日"},
            {IDC_HOLIDAY_LABEL_WEEK, Ctl::Label, "第"},
            {IDC_HOLIDAY_COMBO_WEEK, Ctl::DropList, nullptr, "--"},
            {IDC_HOLIDAY_COMBO_WEEKDAY, Ctl::DropList, nullptr, "土曜日"},
            {IDC_HOLIDAY_EDIT_NAME, Ctl::Edit, nullptr},
            {IDC_HOLIDAY_LABEL_MARK, Ctl::Label, "マーク"},
            {IDC_HOLIDAY_BTN_MARK, Ctl::OwnerDraw, "設定変更"},
            {IDHELP, Ctl::Button, "？"},
            {IDOK, Ctl::DefButton, "保存"},
            {IDCANCEL, Ctl::Button, "キャンセル"},
        }},
        {IDD_MARK, "Daylens マーク設定", 0, 0, 229, 177, Kind::Modal, kPMincho, 11,
         Join(MarkControls(), {{IDC_MARK_GROUP_TEXT, Ctl::Group, " 文字の設定 "}})},
        {IDD_MARK_EX, "Daylens マーク設定", 0, 0, 264, 199, Kind::Modal, kPMincho, 11,
         Join(MarkControls(), {
             {IDC_MARK_GROUP_TEXT, Ctl::Group, " 文字設定 "},
             {IDC_MARK_RADIO_INDIVIDUAL, Ctl::Radio, " 個別のマーク設定を使う", nullptr, WS_GROUP},
             {IDC_MARK_RADIO_USERMARK, Ctl::Radio, " ユーザ定義マークを使う"},
             {IDC_MARK_COMBO_USERMARK, Ctl::DropList, nullptr, "ユーザ10"},
         })},
        {IDD_DAYMEMO, "Daylens 一日メモ", 0, 0, 274, 130, Kind::SizableMax, kMincho, 11,
         Join(StepRow(), {
             {IDC_MEMO_LABEL_DATE, Ctl::Label, "", "2019年12月31日(火)"},
             {IDC_DAYMEMO_EDIT_TEXT, Ctl::Edit, nullptr, nullptr, ES_MULTILINE | ES_WANTRETURN},
             {IDC_DAYMEMO_BTN_MENU, Ctl::Button, "操作メニュー"},
             {IDC_DAYMEMO_BTN_MARK, Ctl::OwnerDraw, "マーク設定"},
             {IDC_DAYMEMO_LABEL_MARK, Ctl::Label, "マーク"},
             {IDC_DAYMEMO_COMBO_MARK, Ctl::DropList, nullptr, "----------"},
             {IDC_DAYMEMO_LABEL_TIME, Ctl::Label, "時刻指定"},
             {IDC_DAYMEMO_TIME, Ctl::TimePicker, nullptr, kTime, DTS_SHOWNONE},
             {IDHELP, Ctl::Button, "？"},
             {IDOK, Ctl::DefButton, "保存"},
             {IDCANCEL, Ctl::Button, "キャンセル"},
         })},
        {IDD_REPEATMEMO, "Daylens 定例メモ", 0, 0, 259, 167, Kind::Modal, kPMincho, 11, {
            {IDC_REPEATMEMO_LIST, Ctl::ListView, nullptr, nullptr, kList},
            {IDC_REPEATMEMO_BTN_ADD, Ctl::Button, "↑ 追加"},
            {IDC_REPEATMEMO_BTN_CHANGE, Ctl::Button, "☆ 変更"},
            {IDC_REPEATMEMO_BTN_DELETE, Ctl::Button, "× 削除"},
            {IDC_LIST_BTN_UP, Ctl::OwnerDraw, ""},
            {IDC_LIST_BTN_DOWN, Ctl::OwnerDraw, ""},
            {IDHELP, Ctl::Button, "？"},
            {IDOK, Ctl::DefButton, "保存"},
            {IDCANCEL, Ctl::Button, "キャンセル"},
        }},
        {IDD_PERIODMEMO, "Daylens 期間メモ", 0, 0, 290, 175, Kind::SizableMax, kMincho, 11,
         Join(StepRow(), {
             {IDC_MEMO_LABEL_DATE, Ctl::Label, "", "2019年12月31日(火) 前後のメモ"},
             {IDC_PERIODMEMO_LIST, Ctl::ListView, nullptr, nullptr, kList | LVS_OWNERDRAWFIXED},
             {IDC_PERIODMEMO_COMBO_PERIOD, Ctl::DropList, nullptr, "1週間表示"},
             {IDHELP, Ctl::Button, "？"},
             {IDOK, Ctl::DefButton, "開く"},
             {IDCANCEL, Ctl::Button, "閉じる"},
         })},
        {IDD_REPEATCOPY, "Daylens 繰り返しメモ", 0, 0, 179, 74, Kind::Modal, kPMincho, 11, {
            {IDC_REPEATCOPY_RADIO_DAILY, Ctl::Radio, " 毎日", nullptr, WS_GROUP},
            {IDC_REPEATCOPY_RADIO_WEEKLY, Ctl::Radio, " 毎週"},
            {IDC_REPEATCOPY_RADIO_MONTHLY, Ctl::Radio, " 毎月"},
            {IDC_REPEATCOPY_RADIO_YEARLY, Ctl::Radio, " 毎年"},
            {IDC_REPEATCOPY_DATE_FIRST, Ctl::DatePicker, nullptr, kLongDate},
            {IDC_REPEATCOPY_LABEL_TILDE, Ctl::Label, "～"},
            {IDC_REPEATCOPY_DATE_LAST, Ctl::DatePicker, nullptr, kLongDate},
            {IDOK, Ctl::DefButton, "設定"},
            {IDCANCEL, Ctl::Button, "キャンセル"},
        }},
        {IDD_MEMORIAL, "Daylens 記念日設定", 0, 0, 131, 114, Kind::Modal, kPMincho, 11, {
            {IDC_MEMORIAL_BTN_DATES, Ctl::Button, "記念日の日付設定"},
            {IDC_MEMORIAL_CHECK_POPUP, Ctl::Check, " 起動時にポップアップ表示"},
            {IDC_MEMORIAL_CHECK_TOOLTIP, Ctl::Check, " ツールチップに表示"},
            {IDC_MEMORIAL_CHECK_AGE, Ctl::Check, " 経過年数を表示"},
            {IDC_MEMORIAL_CHECK_PERUSER, Ctl::Check, " 個人別にデータを保存"},
            {IDHELP, Ctl::Button, "？"},
            {IDOK, Ctl::DefButton, "設定"},
            {IDCANCEL, Ctl::Button, "キャンセル"},
        }},
        {IDD_PLUGIN, "Daylens プラグイン情報", 0, 0, 169, 163, Kind::SizableMax, kPMincho, 11, {
            {IDC_PLUGIN_LIST, Ctl::ListView, nullptr, nullptr, kList},
            {IDC_LIST_BTN_UP, Ctl::OwnerDraw, ""},
            {IDC_LIST_BTN_DOWN, Ctl::OwnerDraw, ""},
            {IDC_PLUGIN_BTN_UPDATE, Ctl::Button, "アップデート"},
            {IDOK, Ctl::DefButton, "設定"},
            {IDCANCEL, Ctl::Button, "キャンセル"},
        }},
        {IDD_NETDATA, "LxNetData", 0, 0, 144, 82, Kind::Modal, kPMincho, 11, {
            {IDOK, Ctl::DefButton, "OK"},
            {IDCANCEL, Ctl::Button, "キャンセル"},
        }},
        {IDD_MEMOSET, "Daylens メモ設定", 0, 0, 303, 212, Kind::Modal, kPMincho, 11, {
            {IDC_MEMOSET_TAB, Ctl::Tab, nullptr},
            {IDOK, Ctl::DefButton, "設定"},
            {IDCANCEL, Ctl::Button, "キャンセル"},
            {IDC_MEMOSET_BTN_APPLY, Ctl::Button, "適用"},
            {IDHELP, Ctl::Button, "？"},
        }},
        {IDD_MEMOSET_GENERAL, "", 0, 0, 292, 176, Kind::Page, kPMincho, 11, {
            {IDC_MEMOGENERAL_CHECK_TOOLTIP, Ctl::Check, "ツールチップにメモを表示"},
            {IDC_MEMOGENERAL_CHECK_MARK, Ctl::Check, "メモ日をマーク"},
            {IDC_MEMOGENERAL_CHECK_TRAY, Ctl::Check, "メモ日はタスクトレーを変更"},
            {IDC_MEMOGENERAL_CHECK_IME, Ctl::Check, "IMEを自動的に起動"},
            {IDC_MEMOGENERAL_CHECK_MONTHFILE, Ctl::Check, "メモデータを月単位で保存"},
            {IDC_MEMOGENERAL_CHECK_PERUSER, Ctl::Check, "メモデータを個人別に保存"},
            {IDC_MEMOGENERAL_EDIT_FOLDER, Ctl::Edit, nullptr},
            {IDC_MEMOGENERAL_BTN_BROWSE, Ctl::Button, "参照"},
            {IDC_MEMOGENERAL_EDIT_FONTSIZE, Ctl::Edit, nullptr, "99", ES_NUMBER},
            {IDC_MEMOGENERAL_SPIN_FONTSIZE, Ctl::UpDown, nullptr},
            {IDC_MEMOGENERAL_RADIO_MINCHO, Ctl::Radio, " 明朝体", nullptr, WS_GROUP},
            {IDC_MEMOGENERAL_RADIO_GOTHIC, Ctl::Radio, " ゴシック体"},
        }},
        {IDD_MEMOSET_POPUP, "", 0, 0, 292, 176, Kind::Page, kPMincho, 11, {
            {IDC_MEMOPOPUP_CHECK_START, Ctl::Check, "起動時にポップアップ表示"},
            {IDC_MEMOPOPUP_CHECK_HIDELATE, Ctl::Check, "指定時刻を過ぎたら非表示"},
            {IDC_MEMOPOPUP_CHECK_TOMORROWLATE, Ctl::Check, "指定時刻以降は翌日のメモを表示"},
            {IDC_MEMOPOPUP_TIME_START, Ctl::TimePicker, nullptr, kTime, DTS_SHOWNONE},
            {IDC_MEMOPOPUP_CHECK_TOMORROW, Ctl::Check, "指定時刻に翌日のメモをポップアップ表示"},
            {IDC_MEMOPOPUP_TIME_TOMORROW, Ctl::TimePicker, nullptr, kTime, DTS_SHOWNONE},
            {IDC_MEMOPOPUP_EDIT_INTERVAL, Ctl::Edit, nullptr, "86400", ES_NUMBER},
            {IDC_MEMOPOPUP_SPIN_INTERVAL, Ctl::UpDown, nullptr},
            {IDC_MEMOPOPUP_EDIT_SOUND, Ctl::Edit, nullptr},
            {IDC_MEMOPOPUP_BTN_BROWSE, Ctl::Button, "参照"},
        }},
        {IDD_MEMOSET_MARK, "", 0, 0, 292, 176, Kind::Page, kPMincho, 11, {
            {IDC_MEMOMARK_RADIO_OWN, Ctl::Radio, "マークを設定する", nullptr, WS_GROUP},
            {IDC_MEMOMARK_RADIO_USER, Ctl::Radio, "ユーザ定義を利用する"},
            {IDC_MEMOMARK_BTN_OWN, Ctl::OwnerDraw, "設定変更"},
            {IDC_MEMOMARK_COMBO_USER, Ctl::DropList, nullptr, "ユーザ10"},
            {IDC_MEMOMARK_LIST_USERMARKS, Ctl::ListBox, nullptr, nullptr, LBS_NOTIFY},
            {IDC_MEMOMARK_EDIT_NAME, Ctl::Edit, nullptr, "ユーザマーク１"},
            {IDC_MEMOMARK_BTN_USERMARK, Ctl::OwnerDraw, "設定変更"},
            {IDC_MEMOMARK_EDIT_COUNT, Ctl::Edit, nullptr, "99", ES_NUMBER},
            {IDC_MEMOMARK_SPIN_COUNT, Ctl::UpDown, nullptr},
        }},
        {IDD_MEMOSET_SEARCH, "", 0, 0, 292, 176, Kind::Page, kPMincho, 11, {
            {IDC_MEMOSEARCH_LABEL_WORD, Ctl::Label, "検索文字"},
            {IDC_MEMOSEARCH_COMBO_WORD, Ctl::DropDown, nullptr},
            {IDC_MEMOSEARCH_BTN_SEARCH, Ctl::Button, "検索"},
            {IDC_MEMOSEARCH_CHECK_LINESTART, Ctl::Check, "行頭"},
            {IDC_MEMOSEARCH_CHECK_LINEEND, Ctl::Check, "行末"},
            {IDC_MEMOSEARCH_CHECK_BYLINE, Ctl::Check, "行単位"},
            {IDC_MEMOSEARCH_DATE_FIRST, Ctl::DatePicker, nullptr, kShortDate, DTS_SHOWNONE},
            {IDC_MEMOSEARCH_LABEL_TILDE, Ctl::Label, "～"},
            {IDC_MEMOSEARCH_DATE_LAST, Ctl::DatePicker, nullptr, kShortDate, DTS_SHOWNONE},
            {IDC_MEMOSEARCH_LIST_RESULT, Ctl::ListView, nullptr, nullptr, kList},
        }},
        {IDD_MEMOSET_IMPEX, "", 0, 0, 292, 176, Kind::Page, kPMincho, 11, {
            {IDC_MEMOIMPEX_DATE_FIRST, Ctl::DatePicker, nullptr, kShortDate},
            {IDC_MEMOIMPEX_LABEL_TILDE, Ctl::Label, "～"},
            {IDC_MEMOIMPEX_DATE_LAST, Ctl::DatePicker, nullptr, kShortDate},
            {IDC_MEMOIMPEX_COMBO_FORMAT, Ctl::DropList, nullptr, "カンマ区切り形式 (csv)"},
            {IDC_MEMOIMPEX_BTN_EXPORT, Ctl::Button, "エクスポート"},
            {IDC_MEMOIMPEX_BTN_IMPORT, Ctl::Button, "インポートするファイルを選択"},
            {IDC_MEMOIMPEX_LABEL_DROP, Ctl::Label, " ※ このウィンドウに直接読み込むファイルをドロップできます"},
        }, WS_EX_ACCEPTFILES},
        {IDD_REPEATMEMO_DETAIL, "Daylens 定例メモ詳細", 0, 0, 259, 247, Kind::Modal, kPMincho, 11, {
            {IDC_REPEATDETAIL_GROUP_TEXT, Ctl::Group, " メモ内容 "},
            {IDC_REPEATDETAIL_EDIT_TEXT, Ctl::Edit, nullptr},
            {IDC_REPEATDETAIL_GROUP_RULE, Ctl::Group, " 繰り返し指定 "},
            {IDC_REPEATDETAIL_RADIO_DAILY, Ctl::Radio, " 毎日", nullptr, WS_GROUP},
            {IDC_REPEATDETAIL_RADIO_WEEKLY, Ctl::Radio, " 毎週"},
            {IDC_REPEATDETAIL_RADIO_MONTH_DATE, Ctl::Radio, " 毎月（日付）"},
            {IDC_REPEATDETAIL_RADIO_MONTH_WEEK, Ctl::Radio, " 毎月（曜日）"},
            {IDC_REPEATDETAIL_RADIO_YEAR_DATE, Ctl::Radio, " 毎年（日付）"},
            {IDC_REPEATDETAIL_RADIO_YEAR_WEEK, Ctl::Radio, " 毎年（曜日）"},
            {IDC_REPEATDETAIL_GROUP_DATE, Ctl::Group, " 日付指定 "},
            {IDC_REPEATDETAIL_COMBO_MONTH, Ctl::DropList, nullptr, "12月"},
            {IDC_REPEATDETAIL_COMBO_DAY, Ctl::DropList, nullptr, "31日"},
            {IDC_REPEATDETAIL_COMBO_WEEK, Ctl::DropList, nullptr, "最終週曜日"},
            {IDC_REPEATDETAIL_GROUP_HOLIDAY, Ctl::Group, " 休日対応 "},
            {IDC_REPEATDETAIL_RADIO_KEEP, Ctl::Radio, " そのまま", nullptr, WS_GROUP},
            {IDC_REPEATDETAIL_RADIO_BEFORE, Ctl::Radio, " 前の平日"},
            {IDC_REPEATDETAIL_RADIO_AFTER, Ctl::Radio, " 次の平日"},
            {IDC_REPEATDETAIL_GROUP_WEEKDAY, Ctl::Group, " 曜日指定 "},
            {IDC_REPEATDETAIL_CHECK_SUN, Ctl::Check, " 日"},
            {IDC_REPEATDETAIL_CHECK_MON, Ctl::Check, " 月"},
            {IDC_REPEATDETAIL_CHECK_TUE, Ctl::Check, " 火"},
            {IDC_REPEATDETAIL_CHECK_WED, Ctl::Check, " 水"},
            {IDC_REPEATDETAIL_CHECK_THU, Ctl::Check, " 木"},
            {IDC_REPEATDETAIL_CHECK_FRI, Ctl::Check, " 金"},
            {IDC_REPEATDETAIL_CHECK_SAT, Ctl::Check, " 土"},
            {IDC_REPEATDETAIL_GROUP_PERIOD, Ctl::Group, " 有効期間 "},
            {IDC_REPEATDETAIL_DATE_FIRST, Ctl::DatePicker, nullptr, kLongDate, DTS_LONGDATEFORMAT | DTS_SHOWNONE},
            {IDC_REPEATDETAIL_LABEL_TILDE, Ctl::Label, "～"},
            {IDC_REPEATDETAIL_DATE_LAST, Ctl::DatePicker, nullptr, kLongDate, DTS_LONGDATEFORMAT | DTS_SHOWNONE},
            {IDC_REPEATDETAIL_LABEL_MARK, Ctl::Label, "マーク"},
            {IDC_REPEATDETAIL_BTN_MARK, Ctl::OwnerDraw, "設定変更"},
            {IDHELP, Ctl::Button, "？"},
            {IDOK, Ctl::DefButton, "設定"},
            {IDCANCEL, Ctl::Button, "キャンセル"},
        }},
    };
    return templates;
}

// ---------------------------------------------------------------------------
// Helpers.

class DialogTemplates : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        data = LoadLibraryExA(LANGUAGE_MODULE_PATH, nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(data, nullptr);
    }
    static void TearDownTestSuite()
    {
        if (data)
            FreeLibrary(data);
        data = nullptr;
    }

    static bool Load(int id, DialogTemplate* dialog) { return LoadDialogTemplate(data, id, dialog); }

    static HMODULE data;
};

HMODULE DialogTemplates::data;

const TemplateControl* FindControl(const DialogTemplate& dialog, DWORD id)
{
    for (const TemplateControl& c : dialog.controls)
        if (c.id == id)
            return &c;
    return nullptr;
}

TEST_F(DialogTemplates, HaveTheirCaptionSizeKindFontAndControls)
{
    for (const ExpectedTemplate& expect : Templates()) {
        SCOPED_TRACE("template " + std::to_string(expect.id));
        DialogTemplate dialog;
        ASSERT_TRUE(Load(expect.id, &dialog)) << "missing or cut short";
        EXPECT_EQ(Utf8(dialog.caption), Utf8(expect.caption));
        EXPECT_EQ(dialog.x, expect.x);
        EXPECT_EQ(dialog.y, expect.y);
        EXPECT_EQ(dialog.cx, expect.cx);
        EXPECT_EQ(dialog.cy, expect.cy);
        EXPECT_EQ(Utf8(dialog.face), Utf8(expect.face));
        EXPECT_EQ(dialog.points, expect.points);
        EXPECT_EQ(dialog.exStyle & WS_EX_ACCEPTFILES, expect.exStyle & WS_EX_ACCEPTFILES);

        DWORD s = dialog.style;
        bool framed = (s & WS_CAPTION) == WS_CAPTION && (s & WS_SYSMENU) && (s & WS_POPUP) && !(s & WS_CHILD);
        switch (expect.kind) {
        case Kind::Modal:
            EXPECT_TRUE(framed && (s & DS_MODALFRAME) && !(s & (WS_THICKFRAME | WS_MAXIMIZEBOX))) << std::hex << s;
            break;
        case Kind::Sizable:
            EXPECT_TRUE(framed && (s & WS_THICKFRAME) && !(s & WS_MAXIMIZEBOX)) << std::hex << s;
            break;
        case Kind::SizableMax:
            EXPECT_TRUE(framed && (s & WS_THICKFRAME) && (s & WS_MAXIMIZEBOX)) << std::hex << s;
            break;
        case Kind::Page:
            EXPECT_TRUE((s & WS_CHILD) && !(s & (WS_POPUP | WS_CAPTION | WS_BORDER | WS_THICKFRAME | DS_MODALFRAME)))
                << std::hex << s;
            break;
        }
        // Shown only when the code shows it.
        EXPECT_FALSE(s & WS_VISIBLE);

        for (const ExpectedControl& want : expect.controls) {
            const TemplateControl* c = FindControl(dialog, want.id);
            if (!c) {
                ADD_FAILURE() << "control " << want.id << " missing";
                continue;
            }
            EXPECT_EQ(KindName(KindOf(*c)), std::string(KindName(want.kind))) << "control " << want.id;
            if (want.text) {
                EXPECT_EQ(Utf8(c->text), Utf8(want.text)) << "control " << want.id;
            }
            EXPECT_EQ(c->style & want.style, want.style) << "control " << want.id << " style " << std::hex << c->style;
        }
    }
}

TEST_F(DialogTemplates, IdsAreUniqueAndRadioGroupsContiguous)
{
    for (const ExpectedTemplate& expect : Templates()) {
        SCOPED_TRACE("template " + std::to_string(expect.id));
        DialogTemplate dialog;
        ASSERT_TRUE(Load(expect.id, &dialog));
        std::set<DWORD> ids;
        for (const TemplateControl& c : dialog.controls)
            EXPECT_TRUE(ids.insert(c.id).second) << "id " << c.id << " twice";
        ExpectRadioGroupsAndUpDowns(dialog);
    }
}

// The closed height of a drop-down list; the template's height includes the list.
short ClosedHeight(const TemplateControl& c)
{
    Ctl kind = KindOf(c);
    return (kind == Ctl::DropList || kind == Ctl::DropDown) && c.cy > 14 ? 14 : c.cy;
}

TEST_F(DialogTemplates, ControlsLieInsideTheDialogAndApart)
{
    for (const ExpectedTemplate& expect : Templates()) {
        SCOPED_TRACE("template " + std::to_string(expect.id));
        DialogTemplate dialog;
        ASSERT_TRUE(Load(expect.id, &dialog));
        const std::vector<TemplateControl>& cs = dialog.controls;
        for (size_t i = 0; i < cs.size(); i++) {
            const TemplateControl& a = cs[i];
            EXPECT_TRUE(a.x >= 0 && a.y >= 0 && a.x + a.cx <= dialog.cx && a.y + ClosedHeight(a) <= dialog.cy)
                << "control " << a.id << " outside";
            // Group boxes frame others and up-downs sit on their edits.
            Ctl ka = KindOf(a);
            if (ka == Ctl::Group || ka == Ctl::UpDown)
                continue;
            for (size_t j = i + 1; j < cs.size(); j++) {
                const TemplateControl& b = cs[j];
                Ctl kb = KindOf(b);
                if (kb == Ctl::Group || kb == Ctl::UpDown)
                    continue;
                bool apart = a.x + a.cx <= b.x || b.x + b.cx <= a.x || a.y + ClosedHeight(a) <= b.y ||
                             b.y + ClosedHeight(b) <= a.y;
                EXPECT_TRUE(apart) << "controls " << a.id << " and " << b.id << " overlap";
            }
        }
    }
}

// ---------------------------------------------------------------------------
// Created on the test display.

// Lets the shown windows paint and reach the screen.
void Settle(DWORD ms)
{
    DWORD start = GetTickCount();
    do {
        PumpMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    } while (GetTickCount() - start < ms);
    PumpMessages();
}

class CreatedDialogs : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(InitDialogControls());
        module = LoadLibraryA(LANGUAGE_MODULE_PATH);
        ASSERT_NE(module, nullptr);
    }
    static void TearDownTestSuite()
    {
        if (module)
            FreeLibrary(module);
        module = nullptr;
    }

    static void Shoot(HWND window, int id)
    {
        const char* dir = getenv("DAYLENS_SHOT_DIR");
        if (!dir || !*dir)
            return;
        SetWindowPos(window, HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        SetForegroundWindow(window);
        Settle(400);
        SaveShot(window, id);
    }

    static HMODULE module;
};

HMODULE CreatedDialogs::module;

// Puts the longest text the code shows into a control.
void ShowSample(HWND control, const ExpectedControl& expect)
{
    if (!expect.sample)
        return;
    switch (expect.kind) {
    case Ctl::DropList:
    case Ctl::DropDown:
        SendMessageA(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(expect.sample));
        SendMessageA(control, CB_SETCURSEL, 0, 0);
        break;
    case Ctl::DatePicker:
    case Ctl::TimePicker: {
        std::string literal = std::string("'") + expect.sample + "'";
        SendMessageA(control, DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>(literal.c_str()));
        break;
    }
    default:
        SetWindowTextA(control, expect.sample);
        break;
    }
}

// Width that a label needs to show its text on the lines it has room for.
bool LabelFits(HWND control, const std::string& text, const RECT& client, const TEXTMETRICA& tm, SIZE size)
{
    if (client.bottom < 2 * tm.tmHeight)
        return size.cx <= client.right && tm.tmHeight <= client.bottom;
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT calc = {0, 0, client.right, 0};
    DrawTextA(dc, text.c_str(), -1, &calc, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return calc.right <= client.right && calc.bottom <= client.bottom;
}

// Checks that the control shows its whole text: template text, or the
// sample the code would put there.
void ExpectTextFits(HWND control, DWORD id, Ctl kind, DWORD style, const char* sample)
{
    char buffer[512] = "";
    GetWindowTextA(control, buffer, sizeof(buffer));
    std::string text = sample ? sample : buffer;
    if (text.empty() || kind == Ctl::ListView || kind == Ctl::ListBox || kind == Ctl::Tab || kind == Ctl::UpDown)
        return;
    TEXTMETRICA tm;
    SIZE size = TextSize(control, text, &tm);
    RECT client;
    GetClientRect(control, &client);
    int edge = GetSystemMetrics(SM_CXEDGE);
    int box = GetSystemMetrics(SM_CXMENUCHECK) + tm.tmAveCharWidth / 2;
    int arrow = GetSystemMetrics(SM_CXVSCROLL);
    int need = size.cx;
    switch (kind) {
    case Ctl::Label:
        EXPECT_TRUE(LabelFits(control, text, client, tm, size))
            << "label " << id << " \"" << Utf8(text.c_str()) << "\" needs " << size.cx << " has " << client.right;
        return;
    case Ctl::Button: case Ctl::DefButton: case Ctl::OwnerDraw: need += 3 * edge; break;
    case Ctl::Check: case Ctl::Radio: need += box; break;
    case Ctl::Group: need += 2 * tm.tmAveCharWidth; break;
    case Ctl::Edit: need += 2 * edge; break;
    case Ctl::DropList: case Ctl::DropDown: need += arrow + 3 * edge; break;
    case Ctl::DatePicker: case Ctl::TimePicker: need += arrow + 3 * edge + ((style & DTS_SHOWNONE) ? box : 0); break;
    default: break;
    }
    EXPECT_LE(need, client.right) << KindName(kind) << " " << id << " \"" << Utf8(text.c_str()) << "\"";
    EXPECT_LE(tm.tmHeight, client.bottom) << KindName(kind) << " " << id << " too low for its text";
}

// Every control of the template, with the samples of those the code fills.
void ExpectAllTextsFit(HWND dialog, const DialogTemplate& parsed, const ExpectedTemplate& expect)
{
    for (const ExpectedControl& want : expect.controls)
        if (HWND control = GetDlgItem(dialog, static_cast<int>(want.id)))
            ShowSample(control, want);
    for (const TemplateControl& c : parsed.controls) {
        HWND control = GetDlgItem(dialog, static_cast<int>(c.id));
        if (!control) {
            ADD_FAILURE() << "control " << c.id << " not created";
            continue;
        }
        const char* sample = nullptr;
        for (const ExpectedControl& want : expect.controls)
            if (want.id == c.id)
                sample = want.sample;
        ExpectTextFits(control, c.id, KindOf(c), c.style, sample);
    }
}

TEST_F(CreatedDialogs, EveryTemplateCreatesAndShowsItsTextsWhole)
{
    HMODULE data = LoadLibraryExA(LANGUAGE_MODULE_PATH, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(data, nullptr);
    for (const ExpectedTemplate& expect : Templates()) {
        SCOPED_TRACE("template " + std::to_string(expect.id));
        DialogTemplate parsed;
        ASSERT_TRUE(LoadDialogTemplate(data, expect.id, &parsed));
        HWND parent = nullptr;
        if (expect.kind == Kind::Page) {
            parent = CreatePageHolder("page");
            ASSERT_NE(parent, nullptr);
        }
        HWND dialog = CreateDialogParamA(module, MAKEINTRESOURCEA(expect.id), parent, OwnerDrawDialogProc, 0);
        ASSERT_NE(dialog, nullptr) << "not created, error " << GetLastError();
        ExpectAllTextsFit(dialog, parsed, expect);
        if (parent) {
            FitHolderToPage(parent, dialog);
            ShowWindow(dialog, SW_SHOW);
            Shoot(parent, expect.id);
            DestroyWindow(parent);
        } else {
            // The memo settings frame is shot with a page, below.
            if (expect.id != IDD_MEMOSET)
                Shoot(dialog, expect.id);
            DestroyWindow(dialog);
        }
        PumpMessages();
    }
    FreeLibrary(data);
}

// The memo settings frame takes its pages on the tab control's display area.
TEST_F(CreatedDialogs, MemoSettingsPagesFitTheTabArea)
{
    HWND frame = CreateDialogParamA(module, MAKEINTRESOURCEA(IDD_MEMOSET), nullptr, OwnerDrawDialogProc, 0);
    ASSERT_NE(frame, nullptr);
    HWND tab = GetDlgItem(frame, IDC_MEMOSET_TAB);
    ASSERT_NE(tab, nullptr);
    const char* const labels[] = {" 各種設定 ", " ポップアップ ", " マーク ", " 検索 ", " 同期 "};
    ASSERT_TRUE(InsertTabs(tab, labels, 5));
    RECT area = TabPageArea(tab);
    HWND shown = nullptr;
    for (int id = IDD_MEMOSET_GENERAL; id <= IDD_MEMOSET_IMPEX; id++) {
        HWND page = CreateDialogParamA(module, MAKEINTRESOURCEA(id), frame, OwnerDrawDialogProc, 0);
        ASSERT_NE(page, nullptr) << id;
        RECT rc;
        GetWindowRect(page, &rc);
        EXPECT_LE(rc.right - rc.left, area.right - area.left) << "page " << id << " wider than the tab area";
        EXPECT_LE(rc.bottom - rc.top, area.bottom - area.top) << "page " << id << " higher than the tab area";
        SetWindowPos(page, HWND_TOP, area.left, area.top, 0, 0, SWP_NOSIZE);
        if (id == IDD_MEMOSET_GENERAL) {
            ShowWindow(page, SW_SHOW);
            shown = page;
        }
    }
    ASSERT_NE(shown, nullptr);
    Shoot(frame, IDD_MEMOSET);
    DestroyWindow(frame);
    PumpMessages();
}

}  // namespace
