#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "TestWindow.h"
#include "Transparency.h"

namespace {

const COLORREF kKey = RGB(255, 0, 255);

TransparencySettings Settings(BYTE kind, BYTE fade, BYTE alpha)
{
    TransparencySettings settings = {};
    settings.KeyColor = kKey;
    settings.TransMode = kind;
    settings.TransparentAlphaMode = fade;
    settings.TransparentAlpha = alpha;
    settings.TransparentAlphaTime = 5;
    return settings;
}

bool IsLayered(HWND window)
{
    return (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
}

struct LayeredCase {
    BYTE kind;
    BYTE fade;
    int startFaded;
    bool layered;
    DWORD flags;
    BYTE alpha;  // also the Alpha the settings keep
};

TEST(TransparencyTest, LayeredAttributesOfEachKind)
{
    const LayeredCase cases[] = {
        {0, 3, 0, true, LWA_COLORKEY | LWA_ALPHA, 128}, {0, 3, 1, true, LWA_COLORKEY | LWA_ALPHA, 0},
        {0, 0, 0, true, LWA_COLORKEY | LWA_ALPHA, 255}, {2, 1, 0, true, LWA_ALPHA, 128},
        {2, 2, 0, true, LWA_ALPHA, 255},                {2, 4, 1, true, LWA_ALPHA, 0},
        {1, 3, 0, false, 0, 128},                       {3, 0, 0, false, 0, 255},
    };
    ScopedWindow window(CreateTestWindow(WS_POPUP | WS_VISIBLE, 40, 40, 120, 80));
    ASSERT_NE(nullptr, (HWND)window);
    for (const LayeredCase& c : cases) {
        // Every case starts from a layered window, so that the kinds without layering must undo it.
        TransparencySettings before = Settings(2, 0, 0);
        before.Alpha = 77;
        ASSERT_EQ(1, SetLayeredAttributes(window, nullptr, &before));
        ASSERT_TRUE(IsLayered(window));

        TransparencySettings settings = Settings(c.kind, c.fade, 128);
        EXPECT_EQ(1, ApplyTransparency(window, &settings, c.startFaded));
        SCOPED_TRACE(testing::Message() << "kind " << (int)c.kind << " fade " << (int)c.fade << " faded "
                                        << c.startFaded);
        EXPECT_EQ(c.alpha, settings.Alpha);
        EXPECT_EQ(c.layered, IsLayered(window));
        if (!c.layered)
            continue;
        COLORREF key = 0;
        BYTE alpha = 0;
        DWORD flags = 0;
        ASSERT_TRUE(GetLayeredWindowAttributes(window, &key, &alpha, &flags));
        EXPECT_EQ(c.flags, flags);
        EXPECT_EQ(c.alpha, alpha);
        if (flags & LWA_COLORKEY) {
            EXPECT_EQ(kKey, key);
        }
    }

    // An unknown kind leaves window and settings alone.
    TransparencySettings unknown = Settings(4, 1, 128);
    unknown.Alpha = 9;
    ASSERT_EQ(1, SetLayeredAttributes(window, nullptr, &unknown));
    EXPECT_EQ(1, ApplyTransparency(window, &unknown, 0));
    EXPECT_EQ(9, unknown.Alpha);
    EXPECT_TRUE(IsLayered(window));
    EXPECT_EQ(0, ApplyTransparency(window, nullptr, 0));
}

// The transparency page: four kind radios, five fade radios, alpha and time edits with their up-downs.
class TransparencyPageTest : public ::testing::Test {
protected:
    enum { kKind = 300, kFade = 310, kAlphaEdit = 320, kAlphaUpDown, kTimeEdit, kTimeUpDown };

    void SetUp() override
    {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&icc);
        ASSERT_NE(nullptr, (HWND)page_);
        for (int i = 0; i < 4; i++)
            CreateTestChild(page_, "BUTTON", kKind + i, BS_AUTORADIOBUTTON | (i ? 0 : WS_GROUP), 10, 10 + 20 * i, 100,
                            18, "kind");
        for (int i = 0; i < 5; i++)
            CreateTestChild(page_, "BUTTON", kFade + i, BS_AUTORADIOBUTTON | (i ? 0 : WS_GROUP), 120, 10 + 20 * i,
                            100, 18, "fade");
        AddNumber(kAlphaEdit, kAlphaUpDown, 10);
        AddNumber(kTimeEdit, kTimeUpDown, 40);
    }

    void AddNumber(int editId, int upDownId, int y)
    {
        HWND edit = CreateTestChild(page_, "EDIT", editId, WS_BORDER, 230, y, 50, 20);
        CreateTestChild(page_, UPDOWN_CLASSA, upDownId, UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_NOTHOUSANDS, 0, 0, 0, 0);
        SendDlgItemMessageA(page_, upDownId, UDM_SETBUDDY, (WPARAM)edit, 0);
    }

    int Command(int id, int code)
    {
        return OnTransparencyControl(page_, MAKEWPARAM(id, code), kKind, kFade, kAlphaUpDown, kAlphaEdit,
                                     kTimeUpDown, kTimeEdit, &settings_);
    }

    void Type(int id, const char* text)
    {
        SetDlgItemTextA(page_, id, text);
        Command(id, EN_CHANGE);
    }

    // Which of alpha edit, alpha up-down, time edit, time up-down and the first fade radio are enabled.
    std::string Enabled()
    {
        std::string flags;
        for (int id : {(int)kAlphaEdit, (int)kAlphaUpDown, (int)kTimeEdit, (int)kTimeUpDown, (int)kFade})
            flags += IsWindowEnabled(GetDlgItem(page_, id)) ? '1' : '0';
        return flags;
    }

    ScopedWindow page_{CreateTestWindow(WS_POPUP | WS_VISIBLE, 60, 60, 320, 140)};
    TransparencySettings settings_ = Settings(0, 3, 200);
};

TEST_F(TransparencyPageTest, ControlsFollowKindAndFadeMode)
{
    settings_.TransparentAlphaTime = 7;
    ASSERT_EQ(1, InitTransparencyControls(page_, kKind, kFade, kAlphaUpDown, kAlphaEdit, kTimeUpDown, kTimeEdit,
                                          &settings_));
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(page_, kKind));
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(page_, kFade + 3));
    EXPECT_EQ(200, SendDlgItemMessageA(page_, kAlphaUpDown, UDM_GETPOS32, 0, 0));
    EXPECT_EQ(7, SendDlgItemMessageA(page_, kTimeUpDown, UDM_GETPOS32, 0, 0));
    EXPECT_EQ("11111", Enabled());

    EXPECT_EQ(1, Command(kFade + 2, BN_CLICKED));
    EXPECT_EQ(2, settings_.TransparentAlphaMode);
    EXPECT_EQ("00001", Enabled());
    EXPECT_EQ(1, Command(kFade, BN_CLICKED));
    EXPECT_EQ("11001", Enabled());
    EXPECT_EQ(1, Command(kKind + 1, BN_CLICKED));
    EXPECT_EQ(1, settings_.TransMode);
    EXPECT_EQ("00000", Enabled());
    EXPECT_EQ(1, Command(kKind + 2, BN_CLICKED));
    EXPECT_EQ(2, settings_.TransMode);
    EXPECT_EQ("11001", Enabled());
    EXPECT_EQ(0, Command(kTimeUpDown + 1, BN_CLICKED));
}

TEST_F(TransparencyPageTest, TypedNumbersAreClampedNotWrapped)
{
    Type(kAlphaEdit, "300");
    EXPECT_EQ(255, settings_.TransparentAlpha);
    Type(kAlphaEdit, "-4");
    EXPECT_EQ(0, settings_.TransparentAlpha);
    Type(kAlphaEdit, "90");
    EXPECT_EQ(90, settings_.TransparentAlpha);
    Type(kAlphaEdit, "");
    EXPECT_EQ(90, settings_.TransparentAlpha) << "a cleared field keeps the value";
    Type(kTimeEdit, "99");
    EXPECT_EQ(30, settings_.TransparentAlphaTime);
    Type(kTimeEdit, "12");
    EXPECT_EQ(12, settings_.TransparentAlphaTime);
}

}  // namespace
