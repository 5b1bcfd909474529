// The settings dialog's templates in the language module: what the frame and
// page procedures rely on (caption, size, kind, font, every control id with
// its text and kind, radio groups in id order, up-downs after their edits),
// and that under Wine's Japanese fonts every page lays out without clipped
// text or overlapping controls and fits the frame's tab area.
//
// With DAYLENS_SHOT_DIR set, each window is also saved there as
// <template number>.bmp (130 is the frame with its first page); convert them
// with `convert 131.bmp 131.png`.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DialogTemplateReader.h"

namespace {

// ---------------------------------------------------------------------------
// What the templates must hold.

enum Kind {
    kRadioFirst,  // first radio button of a group
    kRadio,       // a further radio button, right after the one before it
    kCheck,
    kPush,
    kDefPush,
    kOwnerDraw,
    kNumberEdit,  // digits only
    kSignedEdit,  // a number that may be negative
    kTextEdit,
    kSpin,        // up-down attached to the edit just before it
    kDropList,
    kList,
    kTab,
    kLabel,       // no id
    kGroup,       // no id
};

struct Expect {
    int id;             // -1 for labels and group boxes
    Kind kind;
    const char* text;
    const char* fill;   // what the code puts into it, "|"-separated; must fit
};

const Expect kFrame[] = {
    {2000, kTab, ""}, {1, kDefPush, "設定"}, {2, kPush, "キャンセル"}, {81, kPush, "適用"}, {82, kPush, "プレビュー"},
    {9, kPush, "？"},
};

const Expect kGeneral[] = {
    {2102, kRadioFirst, " 通常表示"}, {2103, kRadio, " 横表示"}, {2104, kRadio, " 縦表示"},
    {2105, kRadioFirst, " 今月"}, {2106, kRadio, " 前月"}, {2107, kRadio, " 1月"}, {2108, kRadio, " 4月"},
    {2109, kRadio, " 前半後半"}, {2110, kRadio, " オフセット"}, {2111, kRadio, " 前回終了月"},
    {2112, kNumberEdit, "", "30"}, {2113, kSpin, ""}, {2114, kSignedEdit, "", "-60"}, {2115, kSpin, ""},
    {2116, kNumberEdit, "", "12"}, {2117, kSpin, ""}, {2118, kNumberEdit, "", "12"}, {2119, kSpin, ""},
    {2120, kRadioFirst, " 下右順"}, {2121, kRadio, " 右下順"}, {2122, kRadio, " 下左順"}, {2123, kRadio, " 左下順"},
    {2124, kRadioFirst, " 週数により変化"}, {2125, kRadio, " すべて統一"}, {2126, kRadio, " 6週で統一"},
    {-1, kLabel, "横方向"}, {-1, kLabel, "縦方向"},
    {-1, kGroup, " 全体表示 "}, {-1, kGroup, " 表示開始月 "}, {-1, kGroup, " 表示月数 "}, {-1, kGroup, " 表示順序 "},
    {-1, kGroup, " 各月の高さ "},
};

const Expect kYear[] = {
    {2201, kRadioFirst, " 左寄せ"}, {2202, kRadio, " 右寄せ"}, {2203, kRadio, " センタリング"}, {2204, kRadio, " 左右に分割"},
    {2206, kCheck, " 年月左右入替"}, {2207, kCheck, " 年月をつなげる"}, {2208, kTextEdit, ""},
    {2205, kDropList, "", "0000年 (和暦)0年|0000年 和暦0年|皇紀0000年|(和暦)〇年"},
    {2209, kCheck, " 必要な時だけ表示"}, {2210, kCheck, " ツールチップを表示"},
    {-1, kGroup, " 年月表示共通設定 "}, {-1, kGroup, " 年表示方法 "},
};

const Expect kMonth[] = {
    {2301, kRadioFirst, " 月表示なし"}, {2302, kRadio, " 1月，…"}, {2303, kRadio, " 一月，…"}, {2304, kRadio, " 睦月，…"},
    {2305, kRadio, " Jan，…"}, {2306, kRadio, " January，…"}, {2307, kRadio, " 1，…"}, {2308, kRadio, " 01，…"},
    {2309, kRadio, " ユーザ定義"},
    {2310, kTextEdit, ""}, {1039, kCheck, " マウスホイール"}, {1040, kCheck, " 上下カーソルキー"}, {1041, kCheck, " 左右カーソルキー"},
    {-1, kGroup, " 月表示方法 "}, {-1, kGroup, " 表示月の移動機能 "},
};

const Expect kWeek[] = {
    {2401, kRadioFirst, " 曜日なし"}, {2402, kRadio, " 日，…"}, {2403, kRadio, " 日曜日，…"}, {2404, kRadio, " Sunday，…"},
    {2405, kRadio, " S，…"}, {2406, kRadio, " Su，…"}, {2407, kRadio, " Sun，…"}, {2408, kRadio, " ユーザ定義"},
    {2409, kTextEdit, ""}, {2410, kDropList, "", "日|月|火|水|木|金|土"}, {2411, kCheck, " 括弧つき"},
    {2412, kRadioFirst, " 上に表示"}, {2413, kRadio, " 下に表示"}, {2414, kRadio, " 右に表示"}, {2415, kRadio, " 左に表示"},
    {2416, kCheck, " 曜日をそろえる"},
    {-1, kLabel, " から表示"},
    {-1, kGroup, " 曜日表示方法 "},
};

const Expect kDate[] = {
    {2501, kRadioFirst, " 左寄せ"}, {2502, kRadio, " センタリング"}, {2503, kRadio, " 右寄せ"},
    {2504, kCheck, " 日付の空白を埋める"}, {2505, kCheck, " 色を淡くする"}, {2506, kCheck, " 色を濃くする"},
    {2507, kCheck, " 年初からの週番号を表示"},
    {-1, kGroup, " 日付表示方法 "},
};

const Expect kLayout[] = {
    {2601, kNumberEdit, "", "200"}, {2602, kSpin, ""}, {2603, kNumberEdit, "", "200"}, {2604, kSpin, ""},
    {2605, kNumberEdit, "", "200"}, {2606, kSpin, ""}, {2607, kNumberEdit, "", "200"}, {2608, kSpin, ""},
    {2609, kNumberEdit, "", "200"}, {2610, kSpin, ""}, {2611, kNumberEdit, "", "200"}, {2612, kSpin, ""},
    {-1, kLabel, "各月 間隔"}, {-1, kLabel, "年・月 間隔"}, {-1, kLabel, "月・曜日 間隔"}, {-1, kLabel, "曜日・日付 間隔"},
    {-1, kLabel, "日付 横間隔"}, {-1, kLabel, "日付 縦間隔"},
    {-1, kGroup, " 表示間隔 "},
};

const Expect kFontColor[] = {
    {2703, kOwnerDraw, "フォント"}, {2706, kOwnerDraw, "フォント"}, {2709, kOwnerDraw, "フォント"},
    {2711, kOwnerDraw, "フォント"}, {2713, kOwnerDraw, "色変更"}, {2715, kOwnerDraw, "色変更"},
    {2716, kNumberEdit, "", "99"}, {2717, kSpin, ""},
    {2718, kRadioFirst, " 右上"}, {2719, kRadio, " 右下"}, {2720, kRadio, " 左下"}, {2721, kRadio, " 左上"},
    {2722, kRadio, " 縁取りする"},
    {2723, kCheck, " グラデーションをかける"}, {2724, kPush, "一括設定"},
    {-1, kLabel, "年"}, {-1, kLabel, "月"}, {-1, kLabel, "曜日"}, {-1, kLabel, "日付"}, {-1, kLabel, "装飾の色"},
    {-1, kLabel, "太さ"}, {-1, kLabel, "影の向き"},
    {-1, kGroup, " 文字の設定 "}, {-1, kGroup, " 背景色（透明色） "}, {-1, kGroup, " 文字の装飾の一括設定 "},
};

const Expect kMark[] = {
    {2803, kOwnerDraw, "設定変更"}, {2805, kOwnerDraw, "設定変更"}, {2807, kOwnerDraw, "設定変更"},
    {2809, kOwnerDraw, "設定変更"}, {2811, kOwnerDraw, "設定変更"}, {2813, kOwnerDraw, "設定変更"},
    {2815, kOwnerDraw, "設定変更"}, {2817, kOwnerDraw, "設定変更"}, {2820, kOwnerDraw, "設定変更"},
    {2824, kOwnerDraw, "設定変更"}, {1011, kOwnerDraw, "上へ"}, {1012, kOwnerDraw, "下へ"},
    {2825, kList, "", "曜日マーク|休日マーク|今日マーク|記念日マーク|マイホリデイマーク|定例メモマーク|一日メモマーク"},
    {-1, kLabel, "日曜"}, {-1, kLabel, "月曜"}, {-1, kLabel, "火曜"}, {-1, kLabel, "水曜"}, {-1, kLabel, "木曜"},
    {-1, kLabel, "金曜"}, {-1, kLabel, "土曜"}, {-1, kLabel, "平日"}, {-1, kLabel, "休日"}, {-1, kLabel, "今日"},
    {-1, kGroup, " 曜日マーク・色設定 "}, {-1, kGroup, " その他のマーク・色設定 "}, {-1, kGroup, " マーク表示順序 "},
};

const Expect kWindow[] = {
    {2901, kOwnerDraw, "色変更"}, {2902, kOwnerDraw, "色変更"}, {2903, kOwnerDraw, "色変更"},
    {2904, kDropList, "", "外(枠1)→内(枠2)→外(枠1)|外(枠2)→内(枠1)→外(枠2)"},
    {2905, kRadioFirst, " 四角"}, {2906, kRadio, " 丸"}, {2907, kRadio, " 角丸"},
    {2908, kNumberEdit, "", "1600"}, {2909, kSpin, ""}, {2910, kNumberEdit, "", "1600"}, {2911, kSpin, ""},
    {2912, kNumberEdit, "", "100"}, {2913, kSpin, ""}, {2914, kNumberEdit, "", "100"}, {2915, kSpin, ""},
    {2916, kNumberEdit, "", "100"}, {2917, kSpin, ""}, {2918, kNumberEdit, "", "100"}, {2919, kSpin, ""},
    {2207, kTextEdit, ""}, {2208, kPush, "参照"},
    {-1, kLabel, "背景"}, {-1, kLabel, "枠1"}, {-1, kLabel, "枠2"}, {-1, kLabel, "枠のグラデーション"}, {-1, kLabel, "枠の形状"},
    {-1, kLabel, "枠太さ"}, {-1, kLabel, "枠丸さ"}, {-1, kLabel, "上余白"}, {-1, kLabel, "下余白"}, {-1, kLabel, "左余白"},
    {-1, kLabel, "右余白"},
    {-1, kGroup, " ウィンドウ設定 "}, {-1, kGroup, " ウィンドウ余白 "}, {-1, kGroup, " 背景の画像 "},
};

const Expect kTransparent[] = {
    {3001, kRadioFirst, " 完全に透明"}, {3002, kRadio, " 擬似的な透明"}, {3003, kRadio, " 不透明"},
    {3005, kRadioFirst, " 常に半透明"}, {3006, kRadio, " 一時的に半透明"}, {3007, kRadio, " 半透明にしない"},
    {3008, kRadio, " マウス通過で透明化"}, {3009, kRadio, " マウス通過で不透明化"},
    {3011, kNumberEdit, "", "255"}, {3012, kSpin, ""}, {3013, kNumberEdit, "", "30"}, {3014, kSpin, ""},
    {2713, kOwnerDraw, "色変更"},
    {-1, kLabel, "透明度"}, {-1, kLabel, "復帰時間"}, {-1, kLabel, "秒"},
    {-1, kGroup, " 背景透明化設定 "}, {-1, kGroup, " 半透明設定 "}, {-1, kGroup, " 透明色（背景色） "},
};

const Expect kHotSpot[] = {
    {3102, kRadioFirst, " 上"}, {3103, kRadio, " 右上"}, {3104, kRadio, " 右"}, {3105, kRadio, " 右下"},
    {3106, kRadio, " 下"}, {3107, kRadio, " 左下"}, {3108, kRadio, " 左"}, {3109, kRadio, " 左上"},
    {3110, kRadioFirst, " なにもしない"}, {3111, kRadio, " アクティブにする"},
    {-1, kGroup, " ホットスポットカーソル位置 "}, {-1, kGroup, " ホットスポット動作"},
};

const Expect kAction[] = {
    {3202, kRadioFirst, " 環境設定を開く"}, {3203, kRadio, " 表示月の移動"}, {3204, kRadio, " 一日メモを開く"},
    {3205, kRadio, " 定例メモを開く"}, {3206, kRadio, " 期間メモを開く"},
    {3210, kCheck, " アイコンを表示"}, {3211, kCheck, " ツールチップに日付を表示"}, {3212, kCheck, " 左クリックランチャを使用"},
    {3207, kRadioFirst, " 環境設定を開く"}, {3208, kRadio, " アクティブにする"}, {3209, kRadio, " そのまま二重起動する（少し危険）"},
    {-1, kGroup, " ダブルクリック時の動作 "}, {-1, kGroup, " タスクトレーの設定 "}, {-1, kGroup, " 二重起動時の動作 "},
};

const Expect kToolTip[] = {
    {3301, kCheck, " ツールチップを表示"}, {3304, kCheck, " バルーン形状にする"},
    {3302, kNumberEdit, "", "999"}, {3303, kSpin, ""},
    {3305, kCheck, " 曜日を表示"}, {3310, kCheck, " 休日を表示"}, {3306, kCheck, " マイホリデイを表示"}, {3307, kCheck, " メモを表示"},
    {3308, kCheck, " 定例メモを表示"}, {3309, kCheck, " 記念日を表示"}, {3311, kCheck, " 年初からの経過日数を表示"},
    {3312, kCheck, " 年初からの経過週数を表示"}, {3313, kCheck, " 翌年までの残り日数を表示"},
    {-1, kLabel, "ツールチップ横幅"},
};

const Expect kOther[] = {
    {3407, kCheck, " マイホリデイを個人別に保存"}, {3408, kCheck, " 画面外へ出ないように調整"}, {3409, kCheck, " ウィンドウ位置を固定"},
    {3412, kCheck, " 電源操作メニューを利用"}, {3410, kCheck, " 常に最前面に表示"}, {3411, kCheck, " 常に最背面に表示"},
    {3413, kCheck, " 遅延起動"},
    {3414, kNumberEdit, "", "1800"}, {3415, kSpin, ""},
    {3416, kCheck, " 丸いボタンを使用"}, {3417, kCheck, " 壁紙を常に描画"}, {3418, kTextEdit, ""}, {3419, kPush, "参照"},
    {1031, kCheck, " スタートアップに登録する"},
    {3420, kLabel, "", "Daylens 9.99.99 on Windows Server 2008 R2 (2024/12/31)"},
    {-1, kLabel, "秒後"},
    {-1, kGroup, " 時報サウンド "},
};

struct TemplateExpect {
    int number;
    const char* caption;  // null: a page
    const Expect* controls;
    size_t count;
};

#define TEMPLATE(number, caption, table) {number, caption, table, sizeof(table) / sizeof(table[0])}
const TemplateExpect kTemplates[] = {
    TEMPLATE(130, "Daylens 環境設定", kFrame),
    TEMPLATE(131, nullptr, kGeneral),
    TEMPLATE(132, nullptr, kYear),
    TEMPLATE(133, nullptr, kMonth),
    TEMPLATE(134, nullptr, kWeek),
    TEMPLATE(135, nullptr, kDate),
    TEMPLATE(136, nullptr, kLayout),
    TEMPLATE(137, nullptr, kFontColor),
    TEMPLATE(138, nullptr, kMark),
    TEMPLATE(139, nullptr, kWindow),
    TEMPLATE(140, nullptr, kTransparent),
    TEMPLATE(141, nullptr, kHotSpot),
    TEMPLATE(142, nullptr, kAction),
    TEMPLATE(143, nullptr, kToolTip),
    TEMPLATE(144, nullptr, kOther),
};
#undef TEMPLATE

// The tab labels the frame inserts, in tab order.
const char* const kTabLabels[] = {
    " 全体 ", " 年 ", " 月 ", " 曜日 ", " 日付 ", " 配置 ", " フォントと色 ",
    " マーク ", " ウィンドウ ", " 透明化 ", " ホットスポット ", " 動作設定 ",
    " ツールチップ ", " その他 ",
};

// ---------------------------------------------------------------------------
// Kinds.

const char* KindName(Kind kind)
{
    static const char* const names[] = {"first radio", "radio", "check box", "push button", "default button",
                                        "owner-drawn button", "number edit", "signed edit", "text edit",
                                        "up-down", "drop-down list", "list box", "tab control", "label",
                                        "group box"};
    return names[kind];
}

int Id(const TemplateControl& c) { return static_cast<int>(c.id); }

bool IsKind(const TemplateControl& item, Kind kind)
{
    DWORD s = item.style;
    DWORD buttonType = s & BS_TYPEMASK;
    bool tab = (s & WS_TABSTOP) != 0;
    const std::wstring& cls = item.className;
    bool button = cls == L"button";
    bool edit = cls == L"edit" && tab && (s & ES_AUTOHSCROLL) && !(s & ES_MULTILINE);
    switch (kind) {
    case kRadioFirst:
        return button && buttonType == BS_AUTORADIOBUTTON && (s & WS_GROUP) && tab;
    case kRadio:
        return button && buttonType == BS_AUTORADIOBUTTON && !(s & WS_GROUP);
    case kCheck:
        return button && buttonType == BS_AUTOCHECKBOX && tab;
    case kPush:
        return button && buttonType == BS_PUSHBUTTON && tab;
    case kDefPush:
        return button && buttonType == BS_DEFPUSHBUTTON && tab;
    case kOwnerDraw:
        return button && buttonType == BS_OWNERDRAW && tab;
    case kNumberEdit:
        return edit && (s & ES_NUMBER);
    case kSignedEdit:
    case kTextEdit:
        return edit && !(s & ES_NUMBER);
    case kSpin: {
        const DWORD need = UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
        return cls == L"msctls_updown32" && (s & need) == need;
    }
    case kDropList:
        return cls == L"combobox" && (s & 3) == CBS_DROPDOWNLIST && tab;
    case kList:
        return cls == L"listbox" && (s & LBS_NOTIFY) && (s & WS_VSCROLL) && tab;
    case kTab:
        return cls == L"systabcontrol32" && (s & TCS_MULTILINE) && tab;
    case kLabel:
        return cls == L"static" && ((s & SS_TYPEMASK) == SS_LEFT || (s & SS_TYPEMASK) == SS_LEFTNOWORDWRAP);
    case kGroup:
        return button && buttonType == BS_GROUPBOX;
    }
    return false;
}

const Expect* FindExpect(const TemplateExpect& t, int id)
{
    for (size_t i = 0; i < t.count; i++)
        if (t.controls[i].id == id)
            return &t.controls[i];
    return nullptr;
}

std::vector<std::string> SplitFill(const char* fill)
{
    std::vector<std::string> parts;
    if (!fill)
        return parts;
    std::string s(fill);
    size_t start = 0;
    for (size_t bar; (bar = s.find('|', start)) != std::string::npos; start = bar + 1)
        parts.push_back(s.substr(start, bar - start));
    parts.push_back(s.substr(start));
    return parts;
}

// ---------------------------------------------------------------------------
// The module and live windows.

class SettingsTemplates : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        module = LoadLibraryExA(LANGUAGE_MODULE_PATH, nullptr, LOAD_LIBRARY_AS_DATAFILE);
        InitDialogControls();
    }
    static void TearDownTestSuite()
    {
        if (module)
            FreeLibrary(module);
        module = nullptr;
    }
    void SetUp() override { ASSERT_NE(module, nullptr) << LANGUAGE_MODULE_PATH << " did not load"; }

    static bool LoadTemplate(int number, DialogTemplate* out) { return LoadDialogTemplate(module, number, out); }

    static HMODULE module;
};

HMODULE SettingsTemplates::module = nullptr;

RECT ChildRect(HWND child, HWND parent)
{
    RECT rc;
    GetWindowRect(child, &rc);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

int Width(const RECT& rc) { return rc.right - rc.left; }
int Height(const RECT& rc) { return rc.bottom - rc.top; }

bool Intersect(const RECT& a, const RECT& b)
{
    RECT out;
    return IntersectRect(&out, &a, &b) != 0;
}

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The room a control leaves for its text: check boxes and radio buttons lose
// their box, push buttons their edges, group boxes the line before and after
// the caption.
int TextRoom(HWND control, Kind kind)
{
    RECT rc;
    GetClientRect(control, &rc);
    int edge = GetSystemMetrics(SM_CXEDGE);
    switch (kind) {
    case kRadioFirst:
    case kRadio:
    case kCheck:
        return Width(rc) - GetSystemMetrics(SM_CXMENUCHECK) - 2 * edge;
    case kPush:
    case kDefPush:
    case kOwnerDraw:
        return Width(rc) - 4 * edge;
    case kGroup:
        return Width(rc) - 8 * edge;
    default:
        return Width(rc);
    }
}

// Every control of a live dialog: its text fits, the contents the code puts
// in fit, no two controls overlap, each lies wholly inside or outside each
// group box and below its caption, and all lie inside the dialog.
void CheckLayout(HWND dlg, const TemplateExpect& t, const DialogTemplate& tpl)
{
    struct Placed {
        HWND wnd;
        const Expect* expect;
        Kind kind;
        int id;
        std::string text;
        RECT rc;
    };
    std::vector<Placed> placed;
    for (HWND child = GetWindow(dlg, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char cls[64] = "";
        GetClassNameA(child, cls, sizeof(cls));
        if (GetParent(child) != dlg || !(GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE))
            continue;
        int id = GetDlgCtrlID(child);
        char text[256] = "";
        GetWindowTextA(child, text, sizeof(text));
        const Expect* e = nullptr;
        for (size_t i = 0; i < t.count && !e; i++)
            if (t.controls[i].id == id && (id != -1 || t.controls[i].text == std::string(text)))
                e = &t.controls[i];
        if (!e) {
            ADD_FAILURE() << "unexpected control " << id << " \"" << text << "\" (" << cls << ")";
            continue;
        }
        placed.push_back({child, e, e->kind, id, text, ChildRect(child, dlg)});
    }
    EXPECT_EQ(placed.size(), tpl.controls.size()) << "controls created";

    RECT client;
    GetClientRect(dlg, &client);
    for (const Placed& p : placed) {
        SCOPED_TRACE(testing::Message() << "control " << p.id << " \"" << p.text << "\"");
        EXPECT_TRUE(Inside(p.rc, client)) << "outside the dialog";
        if (!p.text.empty() && p.kind != kTab) {
            SIZE size = TextSize(p.wnd, p.text);
            RECT rc;
            GetClientRect(p.wnd, &rc);
            EXPECT_LE(size.cx, TextRoom(p.wnd, p.kind)) << "text clipped";
            if (p.kind != kGroup) {
                EXPECT_LE(size.cy, Height(rc)) << "text clipped at the bottom";
            }
        }
        for (const std::string& line : SplitFill(p.expect->fill)) {
            int room = 0;
            RECT rc;
            GetClientRect(p.wnd, &rc);
            if (p.kind == kDropList) {
                SendMessageA(p.wnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
                SendMessageA(p.wnd, CB_SETCURSEL, 0, 0);
                room = Width(rc) - GetSystemMetrics(SM_CXVSCROLL) - 4 * GetSystemMetrics(SM_CXEDGE);
            } else if (p.kind == kList) {
                SendMessageA(p.wnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
                room = Width(rc) - GetSystemMetrics(SM_CXVSCROLL);
            } else {
                SetWindowTextA(p.wnd, line.c_str());
                DWORD margins = static_cast<DWORD>(SendMessageA(p.wnd, EM_GETMARGINS, 0, 0));
                room = p.kind == kLabel ? Width(rc) : Width(rc) - LOWORD(margins) - HIWORD(margins);
            }
            EXPECT_LE(TextSize(p.wnd, line).cx, room) << "\"" << line << "\" does not fit";
        }
        if (p.kind == kList) {
            RECT rc;
            GetClientRect(p.wnd, &rc);
            LRESULT lines = SendMessageA(p.wnd, LB_GETCOUNT, 0, 0);
            EXPECT_LE(lines * SendMessageA(p.wnd, LB_GETITEMHEIGHT, 0, 0), Height(rc)) << "list needs scrolling";
        }
    }

    for (size_t i = 0; i < placed.size(); i++) {
        const Placed& a = placed[i];
        for (size_t j = i + 1; j < placed.size(); j++) {
            const Placed& b = placed[j];
            bool buddies = (a.kind == kSpin && b.id == a.id - 1) || (b.kind == kSpin && a.id == b.id - 1);
            if (a.kind == kGroup && b.kind == kGroup) {
                EXPECT_FALSE(Intersect(a.rc, b.rc)) << "group boxes \"" << a.text << "\" and \"" << b.text << "\" overlap";
            } else if (a.kind == kGroup || b.kind == kGroup) {
                const Placed& group = a.kind == kGroup ? a : b;
                const Placed& other = a.kind == kGroup ? b : a;
                RECT inner = group.rc;
                inner.top += TextSize(group.wnd, group.text).cy;
                InflateRect(&inner, -GetSystemMetrics(SM_CXEDGE), 0);
                inner.bottom -= GetSystemMetrics(SM_CYEDGE);
                EXPECT_TRUE(Inside(other.rc, inner) || !Intersect(other.rc, group.rc))
                    << "control " << other.id << " \"" << other.text << "\" straddles group box \"" << group.text << "\"";
            } else if (!buddies) {
                EXPECT_FALSE(Intersect(a.rc, b.rc)) << "controls " << a.id << " \"" << a.text << "\" and " << b.id
                                                     << " \"" << b.text << "\" overlap";
            }
        }
    }
}

// ---------------------------------------------------------------------------

TEST_F(SettingsTemplates, EachTemplateHasItsCaptionSizeKindFontAndControls)
{
    for (const TemplateExpect& t : kTemplates) {
        SCOPED_TRACE(testing::Message() << "template " << t.number);
        DialogTemplate tpl;
        ASSERT_TRUE(LoadTemplate(t.number, &tpl)) << "missing or malformed";

        bool page = t.caption == nullptr;
        EXPECT_EQ(Ansi(tpl.caption), page ? "" : t.caption);
        EXPECT_EQ(tpl.cx, page ? 272 : 288);
        EXPECT_EQ(tpl.cy, page ? 187 : 243);
        if (page) {
            EXPECT_TRUE(tpl.style & WS_CHILD) << "a page is a child window";
            EXPECT_EQ(tpl.style & (WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | DS_MODALFRAME), 0u)
                << "a page has no caption and no border";
        } else {
            const DWORD modal = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
            EXPECT_EQ(tpl.style & modal, modal);
            EXPECT_EQ(tpl.style & (WS_CHILD | WS_THICKFRAME), 0u);
        }
        EXPECT_TRUE(tpl.style & DS_SETFONT);
        EXPECT_EQ(tpl.points, 11);
        EXPECT_EQ(Ansi(tpl.face), "ＭＳ Ｐ明朝");

        // Every expected control, once, with its text and kind.
        for (size_t i = 0; i < t.count; i++) {
            const Expect& e = t.controls[i];
            SCOPED_TRACE(testing::Message() << "control " << e.id << " \"" << e.text << "\"");
            int found = 0;
            for (const TemplateControl& item : tpl.controls) {
                if (Id(item) != e.id || (e.id == -1 && Ansi(item.text) != e.text))
                    continue;
                found++;
                EXPECT_EQ(Ansi(item.text), e.text);
                EXPECT_TRUE(IsKind(item, e.kind)) << "not a " << KindName(e.kind) << " (class " << Ansi(item.className)
                                                  << ", style 0x" << std::hex << item.style << ")";
            }
            EXPECT_EQ(found, 1);
        }

        // Nothing else, and the order the dialog manager relies on.
        const std::vector<TemplateControl>& items = tpl.controls;
        for (size_t i = 0; i < items.size(); i++) {
            SCOPED_TRACE(testing::Message() << "item " << i << " id " << Id(items[i]) << " \"" << Ansi(items[i].text) << "\"");
            const Expect* e = FindExpect(t, Id(items[i]));
            ASSERT_TRUE(e != nullptr || Id(items[i]) == -1) << "control not expected here";
            if (e && e->kind == kSpin) {
                EXPECT_TRUE(i > 0 && Id(items[i - 1]) == Id(items[i]) - 1)
                    << "an up-down follows its edit, which it takes as its buddy";
            }
        }
        ExpectRadioGroupsAndUpDowns(tpl);
    }
}

TEST_F(SettingsTemplates, EveryPageLaysOutWithoutClippedTextOrOverlap)
{
    // One parent for all pages: Wine takes a while to destroy a shown window.
    HWND parent = CreatePageHolder("");
    ASSERT_NE(parent, nullptr);
    for (const TemplateExpect& t : kTemplates) {
        if (t.caption)
            continue;
        SCOPED_TRACE(testing::Message() << "template " << t.number);
        DialogTemplate tpl;
        ASSERT_TRUE(LoadTemplate(t.number, &tpl));
        HWND page = CreateDialogParamA(module, MAKEINTRESOURCEA(t.number), parent, OwnerDrawDialogProc, 0);
        ASSERT_NE(page, nullptr) << "page not created, error " << GetLastError();
        for (size_t i = 0; i < t.count; i++) {
            if (t.controls[i].id != -1) {
                EXPECT_NE(GetDlgItem(page, t.controls[i].id), nullptr) << "control " << t.controls[i].id;
            }
        }

        SetWindowTextA(parent, std::to_string(t.number).c_str());
        FitHolderToPage(parent, page);
        SetWindowPos(page, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        ShowWindow(parent, SW_SHOWNOACTIVATE);
        CheckLayout(page, t, tpl);
        SaveShot(parent, t.number);
        DestroyWindow(page);
    }
    DestroyWindow(parent);
    PumpMessages();
}

TEST_F(SettingsTemplates, FrameHoldsEveryPageInItsTabArea)
{
    const TemplateExpect& frameExpect = kTemplates[0];
    DialogTemplate frameTpl;
    ASSERT_TRUE(LoadTemplate(130, &frameTpl));
    HWND frame = CreateDialogParamA(module, MAKEINTRESOURCEA(130), nullptr, OwnerDrawDialogProc, 0);
    ASSERT_NE(frame, nullptr) << "frame not created, error " << GetLastError();
    HWND tab = GetDlgItem(frame, 2000);
    ASSERT_NE(tab, nullptr);
    ASSERT_TRUE(InsertTabs(tab, kTabLabels, static_cast<int>(sizeof(kTabLabels) / sizeof(kTabLabels[0]))));
    CheckLayout(frame, frameExpect, frameTpl);

    // The page area as the frame computes it.
    RECT area = TabPageArea(tab);

    for (const TemplateExpect& t : kTemplates) {
        if (t.caption)
            continue;
        SCOPED_TRACE(testing::Message() << "template " << t.number);
        HWND page = CreateDialogParamA(module, MAKEINTRESOURCEA(t.number), frame, OwnerDrawDialogProc, 0);
        ASSERT_NE(page, nullptr);
        SetWindowPos(page, HWND_TOP, area.left, area.top, Width(area), Height(area), SWP_SHOWWINDOW);
        RECT used = {0, 0, 0, 0};
        for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            RECT rc = ChildRect(child, page);
            UnionRect(&used, &used, &rc);
        }
        EXPECT_LE(used.right, Width(area)) << "page wider than the tab area";
        EXPECT_LE(used.bottom, Height(area)) << "page taller than the tab area";
        if (t.number == 131) {
            ShowWindow(frame, SW_SHOWNOACTIVATE);
            SaveShot(frame, 130);
        }
        DestroyWindow(page);
    }
    DestroyWindow(frame);
    PumpMessages();
}

}  // namespace
