// The help texts of the settings dialog's controls, page by page in the order the tooltips are made.
#include "SettingsToolTips.h"

#include "ControlToolTip.h"
#include "EnvData.h"
#include "Program.h"
#include "SettingsDialog.h"
#include "SettingsDialogIds.h"

namespace {

typedef ControlToolTipText ToolTipText;

const ToolTipText kGeneralToolTips[] = {
    {IDC_ENVGENERAL_RADIO_GRID, "七曜カレンダーに設定します"},
    {IDC_ENVGENERAL_RADIO_HORIZONTAL, "横一列カレンダーに設定します"},
    {IDC_ENVGENERAL_RADIO_VERTICAL, "縦一列カレンダーに設定します"},
    {IDC_ENVGENERAL_RADIO_THIS_MONTH, "今月から表示します"},
    {IDC_ENVGENERAL_RADIO_PREV_MONTH, "前の月から表示します"},
    {IDC_ENVGENERAL_RADIO_JANUARY, "今年の1月から表示します"},
    {IDC_ENVGENERAL_RADIO_APRIL, "今年の4月から表示します"},
    {IDC_ENVGENERAL_RADIO_SPLIT, "月の前半後半で表示開始月を分けます．指定日より前なら前の月から，後なら今月から表示します"},
    {IDC_ENVGENERAL_EDIT_SPLIT_DAY, "月の前半後半で表示開始月を分ける日を設定します"},
    {IDC_ENVGENERAL_SPIN_SPLIT_DAY, "月の前半後半で表示開始月を分ける日を設定します"},
    {IDC_ENVGENERAL_RADIO_OFFSET, "オフセットを指定して表示開始月を決めます"},
    {IDC_ENVGENERAL_EDIT_OFFSET, "表示開始月のオフセット値を設定します"},
    {IDC_ENVGENERAL_SPIN_OFFSET, "表示開始月のオフセット値を設定します"},
    {IDC_ENVGENERAL_RADIO_LAST_SHOWN, "前回終了時の表示月で表示します"},
    {IDC_ENVGENERAL_EDIT_ACROSS, "横方向に表示する月の数を設定します"},
    {IDC_ENVGENERAL_SPIN_ACROSS, "横方向に表示する月の数を設定します"},
    {IDC_ENVGENERAL_EDIT_DOWN, "縦方向に表示する月の数を設定します"},
    {IDC_ENVGENERAL_SPIN_DOWN, "縦方向に表示する月の数を設定します"},
    {IDC_ENVGENERAL_RADIO_DOWN_RIGHT, "複数の月を表示する場合の表示順序を設定します"},
    {IDC_ENVGENERAL_RADIO_RIGHT_DOWN, "複数の月を表示する場合の表示順序を設定します"},
    {IDC_ENVGENERAL_RADIO_DOWN_LEFT, "複数の月を表示する場合の表示順序を設定します"},
    {IDC_ENVGENERAL_RADIO_LEFT_DOWN, "複数の月を表示する場合の表示順序を設定します"},
    {IDC_ENVGENERAL_RADIO_BY_WEEKS, "一月を表示する高さを週の数により可変にします"},
    {IDC_ENVGENERAL_RADIO_SAME_HEIGHT, "一月を表示する高さをすべて統一します"},
    {IDC_ENVGENERAL_RADIO_SIX_WEEKS, "一月を表示する高さを6週で統一します"},
};
const ToolTipText kYearToolTips[] = {
    {IDC_ENVYEAR_RADIO_LEFT, "年月を左寄せにします"},
    {IDC_ENVYEAR_RADIO_RIGHT, "年月を右寄せにします"},
    {IDC_ENVYEAR_RADIO_CENTER, "年月を左右中央に表示します"},
    {IDC_ENVYEAR_RADIO_BOTH_ENDS, "年月をそれぞれ左端と右端に表示します"},
    {IDC_ENVYEAR_CHECK_SWAP, "年月の表示を左右入れ替えます"},
    {IDC_ENVYEAR_CHECK_LINK, "年月をつないで表示します"},
    {IDC_ENVYEAR_EDIT_LINK, "年月をつなぐ文字を設定します"},
    {IDC_ENVYEAR_COMBO_STYLE, "年の表示方法を選択します"},
    {IDC_ENVYEAR_CHECK_FEW, "年を一回だけ表示します．年号が変わると再度一回だけ表示します"},
    {IDC_ENVYEAR_CHECK_TOOLTIP, "年のツールチップを表示します．ツールチップには西暦と和暦が併記されます"},
};
const ToolTipText kMonthToolTips[] = {
    {IDC_ENVMONTH_RADIO_NONE, "月を表示しません"},
    {IDC_ENVMONTH_RADIO_NUMBER, "月の表示を「1月，2月・・・」にします"},
    {IDC_ENVMONTH_RADIO_KANJI, "月の表示を「一月，二月・・・」にします"},
    {IDC_ENVMONTH_RADIO_TRADITIONAL, "月の表示を「睦月，如月・・・」にします"},
    {IDC_ENVMONTH_RADIO_ABBREVIATION, "月の表示を「Jan，Feb・・・」にします"},
    {IDC_ENVMONTH_RADIO_ENGLISH, "月の表示を「January，February・・・」にします"},
    {IDC_ENVMONTH_RADIO_DIGIT, "月の表示を「1，2・・・」にします"},
    {IDC_ENVMONTH_RADIO_TWO_DIGITS, "月の表示を「01，02・・・」にします"},
    {IDC_ENVMONTH_RADIO_USER, "月の表示方法をユーザ定義します"},
    {IDC_ENVMONTH_EDIT_USER, "月の表示方法をユーザ定義します．各月の表示文字をカンマ','で区切って12種類入力します"},
    {IDC_ENVMONTH_CHECK_WHEEL, "表示月をマウスホイールで移動します"},
    {IDC_ENVMONTH_CHECK_KEY_LEFT_RIGHT, "表示年を左右カーソルで移動します（次回起動時に有効になります）"},
    {IDC_ENVMONTH_CHECK_KEY_UP_DOWN, "表示月を上下カーソルで移動します（次回起動時に有効になります）"},
};
const ToolTipText kWeekToolTips[] = {
    {IDC_ENVWEEK_RADIO_NONE, "曜日を表示しません"},
    {IDC_ENVWEEK_RADIO_KANJI, "曜日の表示を「日，月，・・・」にします"},
    {IDC_ENVWEEK_RADIO_KANJI_LONG, "曜日の表示を「日曜日，月曜日，・・・」にします"},
    {IDC_ENVWEEK_RADIO_ENGLISH, "曜日の表示を「Sunday，Monday，・・・」にします"},
    {IDC_ENVWEEK_RADIO_ONE_LETTER, "曜日の表示を「S，M，・・・」にします"},
    {IDC_ENVWEEK_RADIO_TWO_LETTERS, "曜日の表示を「Su，Mo，・・・」にします"},
    {IDC_ENVWEEK_RADIO_ABBREVIATION, "曜日の表示を「Sun，Mon，・・・」にします"},
    {IDC_ENVWEEK_RADIO_USER, "曜日の表示をユーザ定義します"},
    {IDC_ENVWEEK_EDIT_USER, "曜日の表示をユーザ定義します．各曜日の表示文字をカンマ','で区切って7種類入力します"},
    {IDC_ENVWEEK_COMBO_START, "七曜表示の場合に一番左の曜日を設定します"},
    {IDC_ENVWEEK_CHECK_BRACKETS, "曜日を括弧つきで表示します"},
    {IDC_ENVWEEK_RADIO_ABOVE, "曜日を日付に対して上に表示します"},
    {IDC_ENVWEEK_RADIO_BELOW, "曜日を日付に対して下に表示します"},
    {IDC_ENVWEEK_RADIO_RIGHT, "曜日を日付に対して右に表示します"},
    {IDC_ENVWEEK_RADIO_LEFT, "曜日を日付に対して左に表示します"},
    {IDC_ENVWEEK_CHECK_ALIGN, "横表示，縦表示の場合に，曜日をそろえて日付を表示します"},
};
const ToolTipText kDateToolTips[] = {
    {IDC_ENVDATE_RADIO_LEFT, "日付を左寄りに表示します"},
    {IDC_ENVDATE_RADIO_CENTER, "日付を中央寄りに表示します"},
    {IDC_ENVDATE_RADIO_RIGHT, "日付を右寄りに表示します"},
    {IDC_ENVDATE_CHECK_FILL, "月の前後の空白を日付で埋めます"},
    {IDC_ENVDATE_CHECK_FILL_LIGHT, "月の前後の空白を埋める日付の色を淡くします"},
    {IDC_ENVDATE_CHECK_FILL_DARK, "月の前後の空白を埋める日付の色を濃くします"},
};
const ToolTipText kLayoutToolTips[] = {
    {IDC_ENVLAYOUT_EDIT_MONTH_SPACE, "複数の月を表示する場合に，各月と月の表示間隔を設定します"},
    {IDC_ENVLAYOUT_SPIN_MONTH_SPACE, "複数の月を表示する場合に，各月と月の表示間隔を設定します"},
    {IDC_ENVLAYOUT_EDIT_YM_SPACE, "年と月の表示間隔を設定します"},
    {IDC_ENVLAYOUT_SPIN_YM_SPACE, "年と月の表示間隔を設定します"},
    {IDC_ENVLAYOUT_EDIT_MONTH_HEIGHT, "月と曜日の表示間隔を設定します"},
    {IDC_ENVLAYOUT_SPIN_MONTH_HEIGHT, "月と曜日の表示間隔を設定します"},
    {IDC_ENVLAYOUT_EDIT_WEEK_HEIGHT, "曜日と日付の表示間隔を設定します"},
    {IDC_ENVLAYOUT_SPIN_WEEK_HEIGHT, "曜日と日付の表示間隔を設定します"},
    {IDC_ENVLAYOUT_EDIT_DAY_WIDTH, "日付の横間隔を設定します"},
    {IDC_ENVLAYOUT_SPIN_DAY_WIDTH, "日付の横間隔を設定します"},
    {IDC_ENVLAYOUT_EDIT_DAY_HEIGHT, "日付の縦間隔を設定します"},
    {IDC_ENVLAYOUT_SPIN_DAY_HEIGHT, "日付の縦間隔を設定します"},
};
const ToolTipText kFontColorToolTips[] = {
    {IDC_ENVFONTCOLOR_BTN_YEAR, "年の文字フォントを設定します"},
    {IDC_ENVFONTCOLOR_BTN_MONTH, "月の文字フォントを設定します"},
    {IDC_ENVFONTCOLOR_BTN_WEEK_FONT, "曜日の文字フォントを設定します"},
    {IDC_ENVFONTCOLOR_BTN_DAY_FONT, "日付の文字フォントを設定します"},
    {IDC_ENVFONTCOLOR_BTN_BACK_COLOR, "透明となる色を設定します．画面設定が16bitや256色の設定の場合は，中間色は透明にならないことがありますので設定には注意してください"},
    {IDC_ENVFONTCOLOR_BTN_SHADOW_COLOR, "文字の装飾の色を設定します"},
    {IDC_ENVFONTCOLOR_EDIT_SHADOW_WIDTH, "文字の装飾の太さを設定します"},
    {IDC_ENVFONTCOLOR_SPIN_SHADOW_WIDTH, "文字の装飾の太さを設定します"},
    {IDC_ENVFONTCOLOR_RADIO_UP_RIGHT, "影の向きを右上にします"},
    {IDC_ENVFONTCOLOR_RADIO_DOWN_RIGHT, "影の向きを右下にします"},
    {IDC_ENVFONTCOLOR_RADIO_DOWN_LEFT, "影の向きを左下にします"},
    {IDC_ENVFONTCOLOR_RADIO_UP_LEFT, "影の向きを左上にします"},
    {IDC_ENVFONTCOLOR_RADIO_OUTLINE, "文字を縁取りします"},
    {IDC_ENVFONTCOLOR_CHECK_GRADATION, "文字の装飾にグラデーションをかけます"},
    {IDC_ENVFONTCOLOR_BTN_APPLY_ALL, "文字の装飾の設定をすべての設定に一括して反映させます"},
};
const ToolTipText kMarkToolTips[] = {
    {IDC_ENVMARK_BTN_SUNDAY, "日曜日の表示を設定します"},
    {IDC_ENVMARK_BTN_SATURDAY, "土曜日の表示を設定します"},
    {IDC_ENVMARK_BTN_WORKDAYS, "平日の表示をすべて設定します"},
    {IDC_ENVMARK_BTN_MONDAY, "月曜日の表示を設定します"},
    {IDC_ENVMARK_BTN_TUESDAY, "火曜日の表示を設定します"},
    {IDC_ENVMARK_BTN_WEDNESDAY, "水曜日の表示を設定します"},
    {IDC_ENVMARK_BTN_THURSDAY, "木曜日の表示を設定します"},
    {IDC_ENVMARK_BTN_FRIDAY, "金曜日の表示を設定します"},
    {IDC_ENVMARK_BTN_TODAY, "今日の表示を設定します"},
    {IDC_ENVMARK_BTN_HOLIDAY, "休日の表示を設定します"},
    {IDC_ENVMARK_LIST_ORDER, "マークを表示する順序を設定します．リストの下にあるほうが，画面上では上に表示されるようになります"},
    {IDC_ENVMARK_BTN_UP, "マークを上に移動します"},
    {IDC_ENVMARK_BTN_DOWN, "マークを下に移動します"},
};
const ToolTipText kWindowToolTips[] = {
    {IDC_ENVWINDOW_RADIO_RECTANGLE, "枠の形状を四角にします"},
    {IDC_ENVWINDOW_RADIO_ELLIPSE, "枠の形状を丸にします"},
    {IDC_ENVWINDOW_RADIO_ROUNDED, "枠の形状を角丸にします"},
    {IDC_ENVWINDOW_SPIN_FRAME_WIDTH, "枠の太さを指定します"},
    {IDC_ENVWINDOW_EDIT_FRAME_WIDTH, "枠の太さを指定します"},
    {IDC_ENVWINDOW_SPIN_ROUND_WIDTH, "角丸の丸さを指定します"},
    {IDC_ENVWINDOW_EDIT_ROUND_WIDTH, "角丸の丸さを指定します"},
    {IDC_ENVWINDOW_COMBO_GRADATION, "枠のグラデーション表示を設定します"},
    {IDC_ENVWINDOW_SPIN_MARGIN_TOP, "ウィンドウの上の余白を指定します"},
    {IDC_ENVWINDOW_EDIT_MARGIN_TOP, "ウィンドウの上の余白を指定します"},
    {IDC_ENVWINDOW_SPIN_MARGIN_RIGHT, "ウィンドウの右の余白を指定します"},
    {IDC_ENVWINDOW_EDIT_MARGIN_RIGHT, "ウィンドウの右の余白を指定します"},
    {IDC_ENVWINDOW_SPIN_MARGIN_LEFT, "ウィンドウの左の余白を指定します"},
    {IDC_ENVWINDOW_EDIT_MARGIN_LEFT, "ウィンドウの左の余白を指定します"},
    {IDC_ENVWINDOW_SPIN_MARGIN_BOTTOM, "ウィンドウの下の余白を指定します"},
    {IDC_ENVWINDOW_EDIT_MARGIN_BOTTOM, "ウィンドウの下の余白を指定します"},
    {IDC_ENVWINDOW_BTN_BACK_COLOR, "ウィンドウの背景の色を指定します"},
    {IDC_ENVWINDOW_BTN_FRAME_COLOR1, "ウィンドウの枠の色を指定します"},
    {IDC_ENVWINDOW_BTN_FRAME_COLOR2, "ウィンドウの枠の色を指定します"},
    {IDC_ENVWINDOW_EDIT_BACK_IMAGE, "ウィンドウの背景画像を設定します"},
    {IDC_ENVWINDOW_BTN_BROWSE, "ウィンドウの背景画像を選択します"},
};
const ToolTipText kTransparentToolTips[] = {
    {IDC_ENVTRANSPARENT_RADIO_CLEAR, "背景を完全に透明にします"},
    {IDC_ENVTRANSPARENT_RADIO_PSEUDO, "背景を擬似的に透明にします．壁紙が透けて見えますが，ウィンドウの実体は存在します"},
    {IDC_ENVTRANSPARENT_RADIO_OPAQUE, "背景を不透明にします"},
    {IDC_ENVTRANSPARENT_RADIO_ALWAYS, "カレンダーを常に半透明にします"},
    {IDC_ENVTRANSPARENT_RADIO_TEMPORARY, "カレンダーを操作していないときだけ半透明にします"},
    {IDC_ENVTRANSPARENT_RADIO_NEVER, "カレンダーを半透明にはしません"},
    {IDC_ENVTRANSPARENT_RADIO_MOUSE_CLEAR, "マウスがカレンダー上を通過すると透明化します"},
    {IDC_ENVTRANSPARENT_RADIO_MOUSE_OPAQUE, "マウスがカレンダー上を通過すると背景を不透明化します"},
    {IDC_ENVTRANSPARENT_EDIT_ALPHA, "半透明にする場合の透明度を設定します．0にすると完全に透明になって見えなくなるので，注意してください"},
    {IDC_ENVTRANSPARENT_SPIN_ALPHA, "半透明にする場合の透明度を設定します．0にすると完全に透明になって見えなくなるので，注意してください"},
    {IDC_ENVTRANSPARENT_EDIT_TIME, "一時的に半透明にする場合，カレンダーを再度半透明にするまでの時間を設定します"},
    {IDC_ENVTRANSPARENT_SPIN_TIME, "一時的に半透明にする場合，カレンダーを再度半透明にするまでの時間を設定します"},
    {IDC_ENVTRANSPARENT_BTN_COLOR, "透明となる色を設定します．画面設定が16bitや256色の設定の場合は，中間色は透明にならないことがありますので設定には注意してください"},
};
const ToolTipText kHotSpotToolTips[] = {
    {IDC_ENVHOTSPOT_RADIO_TOP, "マウスカーソルが画面上部に移動した時の動作を設定します"},
    {IDC_ENVHOTSPOT_RADIO_TOP_RIGHT, "マウスカーソルが画面右上部に移動した時の動作を設定します"},
    {IDC_ENVHOTSPOT_RADIO_RIGHT, "マウスカーソルが画面右部に移動した時の動作を設定します"},
    {IDC_ENVHOTSPOT_RADIO_BOTTOM_RIGHT, "マウスカーソルが画面右下部に移動した時の動作を設定します"},
    {IDC_ENVHOTSPOT_RADIO_BOTTOM, "マウスカーソルが画面下部に移動した時の動作を設定します"},
    {IDC_ENVHOTSPOT_RADIO_BOTTOM_LEFT, "マウスカーソルが画面左下部に移動した時の動作を設定します"},
    {IDC_ENVHOTSPOT_RADIO_LEFT, "マウスカーソルが画面左部に移動した時の動作を設定します"},
    {IDC_ENVHOTSPOT_RADIO_TOP_LEFT, "マウスカーソルが画面左上部に移動した時の動作を設定します"},
    {IDC_ENVHOTSPOT_RADIO_NOTHING, "ホットスポットの動作を設定しません"},
    {IDC_ENVHOTSPOT_RADIO_ACTIVATE, "カレンダーウィンドウをアクティブにします"},
};
const ToolTipText kActionToolTips[] = {
    {IDC_ENVACTION_RADIO_CLICK_SETTINGS, "カレンダーをダブルクリックした時に環境設定を開きます"},
    {IDC_ENVACTION_RADIO_CLICK_MONTH, "カレンダーをダブルクリックした時に，Shiftを推していると次の月に，Controlを推していると前に月に移動します"},
    {IDC_ENVACTION_RADIO_CLICK_DAY_MEMO, "カレンダーをダブルクリックした時に一日メモを開きます"},
    {IDC_ENVACTION_RADIO_CLICK_REPEAT_MEMO, "カレンダーをダブルクリックした時に定例メモを開きます"},
    {IDC_ENVACTION_RADIO_CLICK_PERIOD_MEMO, "カレンダーをダブルクリックした時に期間メモを開きます"},
    {IDC_ENVACTION_CHECK_TRAY, "タスクトレーにアイコンを表示します"},
    {IDC_ENVACTION_CHECK_TRAY_DATE, "タスクトレーアイコンのツールチップに日付を表示します"},
    {IDC_ENVACTION_CHECK_TRAY_CLICK, "ランチャプラグインを使っている場合，タスクトレーアイコンを左クリックするとランチャメニューが表示されます"},
    {IDC_ENVACTION_RADIO_START_SETTINGS, "二重起動された時に環境設定を開きます"},
    {IDC_ENVACTION_RADIO_START_ACTIVATE, "二重起動された時にカレンダーをアクティブにします"},
    {IDC_ENVACTION_RADIO_START_SECOND, "二重起動された時にそのままカレンダーを2つ表示します（少し危険）"},
};
const ToolTipText kToolTipPageToolTips[] = {
    {IDC_ENVTOOLTIP_CHECK_SHOW, "カレンダーの上にマウスカーソルが乗るとツールチップを表示します"},
    {IDC_ENVTOOLTIP_EDIT_WIDTH, "ツールチップの横幅を指定します"},
    {IDC_ENVTOOLTIP_SPIN_WIDTH, "ツールチップの横幅を指定します"},
    {IDC_ENVTOOLTIP_CHECK_BALLOON, "ツールチップの形状を丸くします"},
    {IDC_ENVTOOLTIP_CHECK_WEEK, "ツールチップに曜日を表示します"},
    {IDC_ENVTOOLTIP_CHECK_HOLIDAY, "ツールチップに休日を表示します"},
    {IDC_ENVTOOLTIP_CHECK_MY_HOLIDAY, "ツールチップにマイホリデイを表示します"},
    {IDC_ENVTOOLTIP_CHECK_MEMO, "ツールチップにメモを表示します"},
    {IDC_ENVTOOLTIP_CHECK_REPEAT_MEMO, "ツールチップに定例メモを表示します"},
    {IDC_ENVTOOLTIP_CHECK_MEMORIAL, "ツールチップに記念日を表示します"},
};
const ToolTipText kOtherToolTips[] = {
    {IDC_ENVOTHER_CHECK_MY_HOLIDAY_USER, "マイホリデイを個人ごとに別ファイルに保存します"},
    {IDC_ENVOTHER_CHECK_STAY_ON_SCREEN, "カレンダーが画面外に出ないように調整します"},
    {IDC_ENVOTHER_CHECK_WINDOW_FIX, "カレンダーの位置を固定します"},
    {IDC_ENVOTHER_CHECK_POWER_MENU, "メニューに電源操作項目を追加します"},
    {IDC_ENVOTHER_CHECK_TOPMOST, "カレンダーを常に最前面に表示します"},
    {IDC_ENVOTHER_CHECK_BOTTOMMOST, "カレンダーを常に最背面に表示します"},
    {IDC_ENVOTHER_CHECK_DELAYED_START, "起動時に負荷が減るように，遅らせて起動を行います"},
    {IDC_ENVOTHER_EDIT_DELAY, "遅延起動で遅らせる時間を設定します"},
    {IDC_ENVOTHER_SPIN_DELAY, "遅延起動で遅らせる時間を設定します"},
    {IDC_ENVOTHER_CHECK_ROUND_BUTTONS, "設定ウィンドウのボタンを丸くします"},
    {IDC_ENVOTHER_CHECK_WALLPAPER, "カレンダーを描画する際に必ず壁紙に書き込みます"},
    {IDC_ENVOTHER_EDIT_HOUR_ALARM, "時報を鳴らすファイルを設定します．空欄にすると時報は鳴りません"},
    {IDC_ENVOTHER_BTN_BROWSE, "時報を鳴らすファイルを参照します"},
    {IDC_ENVOTHER_CHECK_STARTUP, "Windowsが起動するときに自動的にカレンダーが表示されるように，スタートアップに登録します"},
};
const ToolTipText kEnvDlgToolTips[] = {
    {IDC_SETTINGS_BTN_HELP, "ヘルプを表示します"},
    {IDC_SETTINGS_BTN_PREVIEW, "環境設定による見た目の変化を，リアルタイムで確認できるプレビューウィンドウを開きます"},
    {IDC_SETTINGS_BTN_APPLY, "変更した設定を反映し，カレンダーの表示を更新します"},
    {IDOK, "変更した設定を反映し，環境設定ウィンドウを閉じます"},
    {IDCANCEL, "変更した設定を破棄し，環境設定ウィンドウを閉じます"},
};

struct ToolTipList {
    const ToolTipText* Texts;
    int Count;
    int Capacity;  // tools at most
};

#define LIST(texts, capacity) {texts, (int)(sizeof(texts) / sizeof(texts[0])), capacity}
const ToolTipList kLists[15] = {
    LIST(kGeneralToolTips, PAGE_TOOLTIP_MAX),
    LIST(kYearToolTips, PAGE_TOOLTIP_MAX),
    LIST(kMonthToolTips, PAGE_TOOLTIP_MAX),
    LIST(kWeekToolTips, PAGE_TOOLTIP_MAX),
    LIST(kDateToolTips, PAGE_TOOLTIP_MAX),
    LIST(kLayoutToolTips, PAGE_TOOLTIP_MAX),
    LIST(kFontColorToolTips, PAGE_TOOLTIP_MAX),
    LIST(kMarkToolTips, PAGE_TOOLTIP_MAX),
    LIST(kWindowToolTips, PAGE_TOOLTIP_MAX),
    LIST(kTransparentToolTips, PAGE_TOOLTIP_MAX),
    LIST(kHotSpotToolTips, PAGE_TOOLTIP_MAX),
    LIST(kActionToolTips, PAGE_TOOLTIP_MAX),
    LIST(kToolTipPageToolTips, PAGE_TOOLTIP_MAX),
    LIST(kOtherToolTips, PAGE_TOOLTIP_MAX),
    LIST(kEnvDlgToolTips, FRAME_TOOLTIP_MAX),
};
#undef LIST

const int kFrameList = 14;

// The tooltip control of each page and of the dialog's buttons, in the order of kLists.
HWND s_tips[15];

int Install(int list, HWND window, int create)
{
    if (create != 1 || !window) {
        DestroyDialogToolTips(&s_tips[list]);
        return 1;
    }
    const EnvData* work = SettingsWorkingCopy();
    int balloon = work ? work->BalloonTip : 0;
    const ToolTipList& texts = kLists[list];
    int count = texts.Count < texts.Capacity ? texts.Count : texts.Capacity;
    SetDialogToolTips(g_program.Instance, window, &s_tips[list], texts.Texts, count, balloon);
    return 1;
}

const ToolTipList* ListOf(int slot)
{
    if (slot == -1)
        return &kLists[kFrameList];
    if (slot < 0 || slot >= kFrameList)
        return nullptr;
    return &kLists[slot];
}

}  // namespace

int SetGeneralToolTips(HWND page, int create)
{
    return Install(0, page, create);
}

int SetYearToolTips(HWND page, int create)
{
    return Install(1, page, create);
}

int SetMonthToolTips(HWND page, int create)
{
    return Install(2, page, create);
}

int SetWeekToolTips(HWND page, int create)
{
    return Install(3, page, create);
}

int SetDateToolTips(HWND page, int create)
{
    return Install(4, page, create);
}

int SetLayoutToolTips(HWND page, int create)
{
    return Install(5, page, create);
}

int SetFontColorToolTips(HWND page, int create)
{
    return Install(6, page, create);
}

int SetMarkToolTips(HWND page, int create)
{
    return Install(7, page, create);
}

int SetWindowToolTips(HWND page, int create)
{
    return Install(8, page, create);
}

int SetTransparentToolTips(HWND page, int create)
{
    return Install(9, page, create);
}

int SetHotSpotToolTips(HWND page, int create)
{
    return Install(10, page, create);
}

int SetActionToolTips(HWND page, int create)
{
    return Install(11, page, create);
}

int SetToolTipPageToolTips(HWND page, int create)
{
    return Install(12, page, create);
}

int SetOtherToolTips(HWND page, int create)
{
    return Install(13, page, create);
}

int SetEnvDlgToolTips(HWND dialog, int create)
{
    return Install(kFrameList, dialog, create);
}

int SetPageToolTips(int slot, HWND page, int create)
{
    if (slot < 0 || slot >= kFrameList)
        return 0;
    return Install(slot, page, create);
}

int PageToolTipCount(int slot)
{
    const ToolTipList* list = ListOf(slot);
    return list ? list->Count : 0;
}

int PageToolTipControl(int slot, int index)
{
    const ToolTipList* list = ListOf(slot);
    return list && index >= 0 && index < list->Count ? list->Texts[index].ControlId : 0;
}

void RelaySettingsToolTips(WPARAM wParam, LPARAM lParam)
{
    RelayDialogToolTips(s_tips, (int)(sizeof(s_tips) / sizeof(s_tips[0])), wParam, lParam);
}
