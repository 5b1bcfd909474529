#include "ToolBarRules.h"

#include <string.h>

#include "StrUtil.h"

namespace {

struct ToolBarCommand {
    int Code;
    const char* Name;
    int Command;  // 0: the icon cell, which sends nothing
};

// The built-in functions in code order; their names are also what the settings file stores.
const ToolBarCommand kCommands[] = {
    {1000, "アイコン", 0},
    {1001, "一年前", IDM_YEAR_BACK},
    {1002, "半年前", IDM_6MONTHS_BACK},
    {1003, "3ヶ月前", IDM_3MONTHS_BACK},
    {1004, "前の月", IDM_MONTH_BACK},
    {1005, "今月", IDM_THIS_MONTH},
    {1006, "次の月", IDM_MONTH_NEXT},
    {1007, "3ヵ月後", IDM_3MONTHS_NEXT},
    {1008, "半年後", IDM_6MONTHS_NEXT},
    {1009, "一年後", IDM_YEAR_NEXT},
    {1010, "環境設定", IDM_SETTINGS},
    {1011, "バージョン", IDM_VERSION},
    {1012, "アップデート", IDM_UPDATE},
    {1013, "ヘルプ", IDM_HELP},
    {1014, "初期位置", IDM_INITIAL_POSITION},
    {1015, "再描画", IDM_REDRAW},
    {1016, "終了", IDM_EXIT},
    {1017, "ウィンドウ固定", IDM_WINDOW_FIX},
    {1018, "常に最前面", IDM_TOPMOST},
    {1019, "常に最背面", IDM_BOTTOMMOST},
    {1020, "マイホリデイ", IDM_MY_HOLIDAY},
    {1025, "壁紙化", IDM_WALLPAPER},
    {1026, "壁紙化して終了", IDM_WALLPAPER_EXIT},
    {1030, "一日メモ", IDM_DAY_MEMO},
    {1031, "期間メモ", IDM_PERIOD_MEMO},
    {1032, "メモ操作", IDM_MEMO_SETTINGS},
    {1040, "記念日設定", IDM_MEMORIAL},
    {1050, "シャットダウン", IDM_SHUTDOWN},
    {1051, "再起動", IDM_REBOOT},
    {1052, "スタンバイ", IDM_STANDBY},
    {1053, "休止状態", IDM_HIBERNATE},
    {1054, "ログオフ", IDM_LOGOFF},
    {1254, "プラグインアップデート", IDM_PLUGIN_UPDATE},
    {1255, "すべてアップデート", IDM_UPDATE_ALL},
};

const COLORREF kColorRows[TOOLBAR_COLOR_COUNT][TOOLBAR_COLOR_VALUES] = {
    {0x404040, 0x804040, 0x808080, 0x404040, 0x000000},
    {0xC4C4FF, 0x0000FF, 0xE0E0FF, 0x4040FF, 0x000080},
    {0xC4FFC4, 0x00FF00, 0xE0FFE0, 0x40FF40, 0x008000},
    {0xFFC4C4, 0xFF0000, 0xFFE0E0, 0xFF4040, 0x800000},
    {0xC4FFFF, 0x00FFFF, 0xE0FFFF, 0x40FFFF, 0x008080},
    {0xFFC4FF, 0xFF00FF, 0xFFE0FF, 0xFF40FF, 0x800080},
    {0xFFFFC4, 0xFFFF00, 0xFFFFE0, 0xFFFF40, 0x808000},
    {0xC4C4C4, 0xE0E0C4, 0xE0E0E0, 0xC4C4C4, 0x808080},
    {0xFFFFFF, 0xFFFFE0, 0xE0E0E0, 0xFFFFFF, 0xC0C0C0},
};

const ToolBarCommand* FindCode(int code)
{
    for (const ToolBarCommand& command : kCommands) {
        if (command.Code == code)
            return &command;
    }
    return nullptr;
}

bool IsPlugInCode(int code)
{
    return code >= TOOLBAR_CODE_PLUGIN_FIRST && code <= TOOLBAR_CODE_PLUGIN_LAST;
}

// The plug-in menu entry of a plug-in code, while the table holds one there.
const PlugInMenuItem* PlugInEntry(int code, const PlugInMenuItem* table)
{
    if (!table || !IsPlugInCode(code))
        return nullptr;
    const PlugInMenuItem* entry = &table[code - TOOLBAR_CODE_PLUGIN_FIRST];
    return entry->FileName[0] ? entry : nullptr;
}

ToolBarButton EmptyButton()
{
    ToolBarButton empty = {};
    return empty;
}

bool RowInList(const ToolBarButton* records, int row)
{
    return records && row >= 0 && row < ToolBarRowCount(records);
}

// A button as the list edits store it: the function and its look, without a cell.
void StoreButton(ToolBarButton* record, const ToolBarButton& button)
{
    *record = EmptyButton();
    record->Code = button.Code;
    record->Mark = button.Mark;
    record->Color = button.Color;
    SafeStrCpy(record->Function, sizeof(record->Function), button.Function);
}

}  // namespace

const char* const ToolBarMarkNames[TOOLBAR_MARK_COUNT] = {"---", "上矢印", "右矢印", "下矢印",
                                                          "左矢印", "四角", "丸", "ひし形"};
const char* const ToolBarColorNames[TOOLBAR_COLOR_COUNT] = {"黒", "赤", "緑", "青", "黄",
                                                            "ピンク", "シアン", "グレー", "白"};

const char* ToolBarCommandName(int code)
{
    const ToolBarCommand* command = FindCode(code);
    return command ? command->Name : nullptr;
}

int ToolBarCommandOf(int code)
{
    if (IsPlugInCode(code))
        return code;
    const ToolBarCommand* command = FindCode(code);
    return command ? command->Command : 0;
}

int FindToolBarCommand(const char* name)
{
    for (const ToolBarCommand& command : kCommands) {
        if (name && StrEqual(command.Name, name, 0))
            return command.Code;
    }
    return 0;
}

int ResolveToolBarFunction(const char* name, const PlugInMenuItem* table)
{
    if (!name || !*name)
        return 0;
    int code = FindToolBarCommand(name);
    if (code)
        return code;
    for (int i = 0; table && i < PLUGIN_MENU_ITEM_COUNT && table[i].FileName[0]; i++) {
        if (StrEqual(table[i].FileName, name, 0))
            return TOOLBAR_CODE_PLUGIN_FIRST + i;
    }
    return 0;
}

const char* ToolBarFunctionName(const ToolBarButton* button, const PlugInMenuItem* table)
{
    if (!button)
        return "";
    if (button->Code >= TOOLBAR_CODE_ICON && button->Code <= TOOLBAR_CODE_LAST)
        return NonNullStr(ToolBarCommandName(button->Code));
    const PlugInMenuItem* entry = PlugInEntry(button->Code, table);
    if (entry)
        return entry->FileName;
    return button->Function;
}

const COLORREF* ToolBarColorRow(int color)
{
    return kColorRows[color < 0 ? 0 : color >= TOOLBAR_COLOR_COUNT ? TOOLBAR_COLOR_COUNT - 1 : color];
}

int FindToolBarName(const char* const* names, int count, const char* name)
{
    for (int i = 0; name && i < count; i++) {
        if (StrEqual(names[i], name, 0))
            return i;
    }
    return 0;
}

bool IsValidToolBarCode(int code)
{
    return (code >= TOOLBAR_CODE_FIRST && code <= TOOLBAR_CODE_LAST) || IsPlugInCode(code);
}

bool IsUsedToolBarRecord(const ToolBarButton* button)
{
    return button && (IsValidToolBarCode(button->Code) || button->Function[0]);
}

int CheckToolBarButtons(ToolBarButton* records)
{
    if (!records)
        return 0;
    int count = 0;
    for (int i = 1; i < TOOLBAR_RECORD_COUNT; i++) {
        ToolBarButton& record = records[i];
        if (record.Mark >= TOOLBAR_MARK_COUNT)
            record.Mark = TOOLBAR_MARK_COUNT - 1;
        if (record.Color >= TOOLBAR_COLOR_COUNT)
            record.Color = TOOLBAR_COLOR_COUNT - 1;
        if (IsValidToolBarCode(record.Code))
            count++;
    }
    return count;
}

void ResolveToolBarButtons(ToolBarButton* records, const PlugInMenuItem* table)
{
    if (!records)
        return;
    for (int i = 1; i < TOOLBAR_RECORD_COUNT; i++) {
        ToolBarButton& record = records[i];
        if (record.Function[0])
            record.Code = (WORD)ResolveToolBarFunction(record.Function, table);
    }
}

void SetDefaultToolBarButtons(ToolBarButton* records)
{
    static const BYTE kDefaults[][3] = {
        {1, 4, 1}, {3, 4, 2}, {4, 4, 3}, {5, 5, 4}, {6, 2, 3}, {7, 2, 2}, {9, 2, 1},
    };
    int record = 1;
    for (const BYTE* row : kDefaults) {
        records[record] = EmptyButton();
        records[record].Code = (WORD)(TOOLBAR_CODE_ICON + row[0]);
        records[record].Mark = row[1];
        records[record].Color = row[2];
        record++;
    }
}

SIZE ToolBarWindowSize(const ToolBarShape& shape, int count)
{
    int s = shape.ButtonSize;
    int p = shape.ButtonSpace;
    SIZE size;
    if (shape.ShowIcon == 1) {
        size.cx = p + (s + p) * count + TOOLBAR_ICON_SIZE;
        size.cy = s < TOOLBAR_ICON_SIZE ? TOOLBAR_ICON_SIZE + 2 : s + 2;
    } else {
        size.cx = count * (s + p);
        size.cy = s + 2;
    }
    if (shape.Vertical == 1) {
        LONG width = size.cx;
        size.cx = size.cy;
        size.cy = width;
    }
    return size;
}

void LayoutToolBarCells(ToolBarButton* records, const ToolBarShape& shape)
{
    if (!records)
        return;
    records[0].Code = shape.ShowIcon == 1 ? TOOLBAR_CODE_ICON : 0;
    int s = shape.ButtonSize;
    int x = 0;
    int y = 0;
    bool vertical = shape.Vertical == 1;
    for (int i = 0; i < TOOLBAR_RECORD_COUNT; i++) {
        ToolBarButton& record = records[i];
        SetRectEmpty(&record.Cell);
        int advance = 0;
        if (record.Code == TOOLBAR_CODE_ICON) {
            SetRect(&record.Cell, x, y, x + TOOLBAR_ICON_SIZE, y + TOOLBAR_ICON_SIZE);
            advance = TOOLBAR_ICON_SIZE + shape.ButtonSpace;
        } else if (IsValidToolBarCode(record.Code)) {
            // Across, the buttons are centred on the icon cell's height.
            if (!vertical)
                y = s <= TOOLBAR_ICON_SIZE - 1 ? (TOOLBAR_ICON_SIZE - s) / 2 : 0;
            SetRect(&record.Cell, x, y, x + s - 1, y + s);
            advance = s + shape.ButtonSpace;
        }
        if (vertical)
            y += advance;
        else
            x += advance;
    }
}

int HitToolBarButton(const ToolBarButton* records, POINT point)
{
    for (int i = 0; records && i < TOOLBAR_RECORD_COUNT; i++) {
        const RECT& cell = records[i].Cell;
        if (records[i].Code && !IsRectEmpty(&cell) && point.x >= cell.left && point.x <= cell.right &&
            point.y >= cell.top && point.y <= cell.bottom)
            return i;
    }
    return -1;
}

int ToolBarRowCount(const ToolBarButton* records)
{
    int rows = 0;
    while (records && rows < TOOLBAR_BUTTON_MAX && IsUsedToolBarRecord(&records[rows + 1]))
        rows++;
    return rows;
}

int AddToolBarButton(ToolBarButton* records, int row, const ToolBarButton& button)
{
    if (!records)
        return -1;
    int rows = ToolBarRowCount(records);
    // Every place used: the last button would be pushed out of the bar.
    if (rows >= TOOLBAR_BUTTON_MAX || (row >= 0 && row >= rows))
        return -1;
    int at = row >= 0 ? row : rows;
    for (int record = rows; record > at; record--)
        records[record + 1] = records[record];
    StoreButton(&records[at + 1], button);
    return at;
}

bool UpdateToolBarButton(ToolBarButton* records, int row, const ToolBarButton& button)
{
    if (!RowInList(records, row))
        return false;
    StoreButton(&records[row + 1], button);
    return true;
}

bool DeleteToolBarButton(ToolBarButton* records, int row)
{
    if (!RowInList(records, row))
        return false;
    for (int record = row + 1; record < TOOLBAR_BUTTON_MAX; record++)
        records[record] = records[record + 1];
    records[TOOLBAR_BUTTON_MAX] = EmptyButton();
    return true;
}

int MoveToolBarButton(ToolBarButton* records, int row, bool up)
{
    if (!RowInList(records, row))
        return -1;
    int other = up ? row - 1 : row + 1;
    // The last record has no record below it in the array.
    if (other < 0 || other >= ToolBarRowCount(records))
        return -1;
    ToolBarButton moved = records[row + 1];
    records[row + 1] = records[other + 1];
    records[other + 1] = moved;
    return other;
}
