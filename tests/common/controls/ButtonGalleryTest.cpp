// Every owner-drawn button look in one window. With DAYLENS_GALLERY_SECONDS set the window stays up that
// long, for a screenshot of the display.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdlib.h>

#include <vector>

#include "CaptionButton.h"
#include "GlyphButton.h"
#include "TestWindow.h"

namespace {

struct ButtonLook {
    bool glyph;
    UINT state;
    // Caption buttons
    const char* text;
    const char* face;
    BYTE charset;
    int shape;
    int engraved;
    COLORREF textColor;
    COLORREF engraveColor;
    // Glyph buttons
    int kind;
    const COLORREF* colors;
};

struct CaptionRow {
    const char* label;
    const char* text;
    const char* face;
    BYTE charset;
    int shape;
    int engraved;
    COLORREF textColor;
    COLORREF engraveColor;
};

struct StateColumn {
    const char* label;
    UINT state;
};

const StateColumn kStates[] = {
    {"通常", 0},
    {"ホット", ODS_HOTLIGHT},
    {"フォーカス", ODS_FOCUS},
    {"押下", ODS_SELECTED},
    {"押下+フォーカス", ODS_SELECTED | ODS_FOCUS},
    {"無効", ODS_DISABLED},
};

const CaptionRow kCaptionRows[] = {
    {"四角", "設定変更", nullptr, 0, BUTTON_SHAPE_SQUARE, 0, RGB(0, 0, 0), 0},
    {"四角・浮き彫り", "設定変更", nullptr, 0, BUTTON_SHAPE_SQUARE, 1, RGB(192, 0, 0), RGB(160, 160, 160)},
    {"丸・浮き彫り", "マーク設定", nullptr, 0, BUTTON_SHAPE_ROUND, 1, RGB(192, 0, 0), RGB(160, 160, 160)},
    {"丸・書体指定", "フォント", "ＭＳ Ｐゴシック", SHIFTJIS_CHARSET, BUTTON_SHAPE_ROUND, 1, RGB(0, 0, 128),
     RGB(160, 160, 160)},
    {"四角・Latin", "Font", "Tahoma", ANSI_CHARSET, BUTTON_SHAPE_SQUARE, 1, RGB(0, 0, 128), RGB(160, 160, 160)},
    {"丸・色見本", "色変更", nullptr, 0, BUTTON_SHAPE_ROUND, 0, RGB(0, 128, 0), 0},
};

// The toolbar's colour rows: fill, focused fill, shadow, light, dark.
const COLORREF kGreen[] = {0xC4FFC4, 0x00FF00, 0xE0FFE0, 0x40FF40, 0x008000};
const COLORREF kRed[] = {0xC4C4FF, 0x0000FF, 0xE0E0FF, 0x4040FF, 0x000080};
const COLORREF kBlue[] = {0xFFC4C4, 0xFF0000, 0xFFE0E0, 0xFF4040, 0x800000};
const COLORREF kBlack[] = {0x404040, 0x804040, 0x808080, 0x404040, 0x000000};
const COLORREF kWhite[] = {0xFFFFFF, 0xFFFFE0, 0xE0E0E0, 0xFFFFFF, 0xC0C0C0};

const char* const kGlyphNames[] = {"上", "右", "下", "左", "四角", "丸", "菱形"};

const int kLabelWidth = 130;
const int kMargin = 10;

class Gallery {
public:
    Gallery()
    {
        LOGFONTA lf = {};
        lf.lfHeight = -13;
        lf.lfCharSet = SHIFTJIS_CHARSET;
        lstrcpyA(lf.lfFaceName, "MS UI Gothic");
        font_ = CreateFontIndirectA(&lf);
        window_ = CreateTestWindow(WS_OVERLAPPEDWINDOW, 0, 0, 840, 640);
        SetWindowTextA(window_, "ボタン見本");
        looks_.reserve(200);
    }
    ~Gallery()
    {
        if (window_)
            DestroyWindow(window_);
        if (font_)
            DeleteObject(font_);
    }

    HWND Window() const { return window_; }
    int Buttons() const { return (int)looks_.size(); }

    void Build()
    {
        int y = kMargin;
        Label("文字ボタン", kMargin, y, kLabelWidth);
        for (int c = 0; c < 6; c++)
            Label(kStates[c].label, kMargin + kLabelWidth + c * 112, y, 108);
        y += 22;
        for (const CaptionRow& row : kCaptionRows) {
            Label(row.label, kMargin, y + 6, kLabelWidth);
            for (int c = 0; c < 6; c++) {
                ButtonLook look = {false, kStates[c].state, row.text, row.face, row.charset, row.shape,
                                   row.engraved, row.textColor, row.engraveColor, 0, nullptr};
                AddButton(look, kMargin + kLabelWidth + c * 112, y, 100, 28);
            }
            y += 38;
        }

        y += 12;
        Label("図形ボタン", kMargin, y, kLabelWidth);
        for (int k = 0; k < 7; k++)
            Label(kGlyphNames[k], kMargin + kLabelWidth + k * 44, y, 40);
        y += 22;
        const int glyphStates[] = {0, 2, 3, 4, 5};
        for (int s : glyphStates)
            GlyphRow(kStates[s].label, kStates[s].state, kGreen, y), y += 30;
        const struct {
            const char* label;
            const COLORREF* colors;
        } colorRows[] = {{"赤", kRed}, {"青", kBlue}, {"黒", kBlack}, {"白", kWhite}};
        for (const auto& row : colorRows)
            GlyphRow(row.label, 0, row.colors, y), y += 30;
    }

    void Draw(const DRAWITEMSTRUCT* item)
    {
        const ButtonLook* look = (const ButtonLook*)GetWindowLongPtrA(item->hwndItem, GWLP_USERDATA);
        if (!look)
            return;
        DRAWITEMSTRUCT shown = *item;
        shown.itemState = look->state;
        if (look->glyph) {
            const COLORREF* c = look->colors;
            drawn_ += DrawGlyphButton(&shown, look->kind, c[0], c[1], c[2], c[3], c[4]);
            return;
        }
        LOGFONTA lf = {};
        if (look->face) {
            lf.lfCharSet = look->charset;
            lstrcpyA(lf.lfFaceName, look->face);
        }
        COLORREF face = GetSysColor(COLOR_MENU);
        drawn_ += DrawCaptionButton(&shown, look->text, look->face ? &lf : nullptr, look->shape, look->engraved,
                                    look->textColor, look->engraveColor, face, CAPTION_BUTTON_LIGHT,
                                    CAPTION_BUTTON_DARK);
    }

    int Drawn() const { return drawn_; }

private:
    void Label(const char* text, int x, int y, int width)
    {
        HWND label = CreateTestChild(window_, "STATIC", 0, SS_LEFT, x, y, width, 18, text);
        SendMessageA(label, WM_SETFONT, (WPARAM)font_, FALSE);
    }

    void GlyphRow(const char* label, UINT state, const COLORREF* colors, int y)
    {
        Label(label, kMargin, y + 4, kLabelWidth);
        for (int k = 0; k < 7; k++) {
            ButtonLook look = {true, state, nullptr, nullptr, 0, 0, 0, 0, 0, k + 1, colors};
            AddButton(look, kMargin + kLabelWidth + k * 44, y, 28, 22);
        }
    }

    void AddButton(const ButtonLook& look, int x, int y, int width, int height)
    {
        looks_.push_back(look);
        HWND button = CreateTestChild(window_, "BUTTON", 1000 + (int)looks_.size(), BS_OWNERDRAW, x, y, width,
                                      height);
        SendMessageA(button, WM_SETFONT, (WPARAM)font_, FALSE);
        SetWindowLongPtrA(button, GWLP_USERDATA, (LONG_PTR)&looks_.back());
        if (look.state & ODS_DISABLED)
            EnableWindow(button, FALSE);
    }

    HWND window_ = nullptr;
    HFONT font_ = nullptr;
    std::vector<ButtonLook> looks_;
    int drawn_ = 0;
};

TEST(ButtonGallery, EveryButtonPaints)
{
    Gallery gallery;
    ASSERT_NE(nullptr, gallery.Window());
    gallery.Build();
    g_drawItem = [&](const DRAWITEMSTRUCT* item) { gallery.Draw(item); };
    ShowWindow(gallery.Window(), SW_SHOW);
    UpdateWindow(gallery.Window());
    DWORD start = GetTickCount();
    while (gallery.Drawn() < gallery.Buttons() && GetTickCount() - start < 5000)
        PumpMessages(20);
    EXPECT_GE(gallery.Drawn(), gallery.Buttons());

    if (const char* seconds = getenv("DAYLENS_GALLERY_SECONDS"))
        PumpMessages((DWORD)atoi(seconds) * 1000);
    g_drawItem = nullptr;
}

}  // namespace
