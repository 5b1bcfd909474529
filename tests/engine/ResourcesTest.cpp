// The language module's strings, icons, cursors and manifest, read from the
// built DLL loaded as a data file.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "resource.h"

namespace {

class ModuleResources : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        module = LoadLibraryExA(DAYLENS_DIST_DIR "/Daylens.Jpn.dll", nullptr,
                                LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module, nullptr);
    }
    static void TearDownTestSuite()
    {
        if (module)
            FreeLibrary(module);
        module = nullptr;
    }

    static std::string String(UINT id)
    {
        char text[1024] = "";
        LoadStringA(module, id, text, sizeof(text));
        return text;
    }

    // Sizes and colour depths of the images of one icon or cursor group.
    static std::string GroupImages(LPCSTR type, UINT id)
    {
        HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
        if (!found)
            return "missing";
        const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
        WORD count = *reinterpret_cast<const WORD*>(data + 4);
        std::string images;
        for (WORD i = 0; i < count; i++) {
            const BYTE* entry = data + 6 + 14 * i;
            WORD bits = *reinterpret_cast<const WORD*>(entry + 6);
            int width = entry[0] ? entry[0] : 256;
            if (type == RT_GROUP_CURSOR) {
                // Cursor entries hold the width and twice the height as words.
                width = *reinterpret_cast<const WORD*>(entry);
            }
            if (!images.empty())
                images += " ";
            images += std::to_string(width) + "/" + std::to_string(bits);
        }
        return images;
    }

    static HMODULE module;
};

HMODULE ModuleResources::module;

TEST_F(ModuleResources, StringTableHoldsTheLanguageWordMenuAndSubmenuTexts)
{
    const struct { UINT id; const char* text; } strings[] = {
        {500, "Japanese"}, {501, "環境設定"}, {502, "バージョン"}, {503, "アップデート"},
        {505, "プラグインアップデート"}, {506, "プラグイン情報"}, {507, "プラグインアクティブ化"},
        {509, "ヘルプ"}, {510, "初期位置に戻す"}, {511, "再描画"}, {512, "終了"}, {513, "一日メモ"},
        {514, "定例メモ"}, {515, "期間メモ"}, {516, "1年前"}, {518, "3ヶ月前"}, {519, "前の月"},
        {520, "今月"}, {521, "次の月"}, {522, "3ヶ月後"}, {524, "1年後"}, {525, "ウィンドウ位置固定"},
        {526, "常に最前面に表示"}, {527, "常に最背面に表示"}, {528, "シャットダウン"}, {529, "再起動"},
        {530, "スタンバイ"}, {531, "休止状態"}, {532, "ログオフ"}, {533, "マイホリデイ"},
        {534, "壁紙にする"}, {535, "壁紙にして終了"}, {541, "メモ操作設定"}, {542, "メモインポート"},
        {543, "メモエクスポート"}, {544, "メモ検索"}, {551, "記念日設定"}, {552, "記念日追加"},
        {801, "ツール"}, {802, "プラグイン"}, {803, "オプション"}, {804, "電源操作"}, {805, "プログラム"},
    };
    for (const auto& s : strings)
        EXPECT_EQ(String(s.id), s.text) << "string " << s.id;
    // Numbers between the menu commands stay free.
    for (UINT id : {504u, 508u, 517u, 523u, 536u, 545u, 553u})
        EXPECT_EQ(String(id), "") << "string " << id;
}

TEST_F(ModuleResources, IconGroupsHoldTheirImageSizesAndDepths)
{
    EXPECT_EQ(GroupImages(RT_GROUP_ICON, IDI_PROGRAM),
              "16/32 32/32 48/32 64/32 96/24 128/24 256/24");
    EXPECT_EQ(GroupImages(RT_GROUP_ICON, IDI_PROGRAM_SMALL), "16/24");
    EXPECT_EQ(GroupImages(RT_GROUP_ICON, IDI_PROGRAM_A), "16/4");
    EXPECT_EQ(GroupImages(RT_GROUP_ICON, IDI_PROGRAM_B), "16/4");
    EXPECT_EQ(GroupImages(RT_GROUP_ICON, IDI_SPARE), "16/24 32/24 48/24");
}

TEST_F(ModuleResources, CursorsAreOneImageGroupsThatLoad)
{
    for (UINT id = 51; id <= 58; id++) {
        EXPECT_EQ(GroupImages(RT_GROUP_CURSOR, id), "32/1") << "cursor " << id;
        HCURSOR cursor = static_cast<HCURSOR>(
            LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_CURSOR, 32, 32, 0));
        EXPECT_NE(cursor, nullptr) << "cursor " << id;
        if (cursor)
            DestroyCursor(cursor);
    }
}

TEST_F(ModuleResources, ManifestAsksForTheCallersRightsOnly)
{
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(2), MAKEINTRESOURCEA(24));
    ASSERT_NE(found, nullptr);
    std::string manifest(static_cast<const char*>(LockResource(LoadResource(module, found))),
                         SizeofResource(module, found));
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(manifest.find("uiAccess=\"false\""), std::string::npos);
}

TEST(InstallFolder, HoldsTheProgramAndMonthIcons)
{
    const char* names[] = {"Daylens00", "Daylens00s", "Daylens00a", "Daylens00b", "Daylens01",
                           "Daylens02", "Daylens03", "Daylens04", "Daylens05", "Daylens06",
                           "Daylens07", "Daylens08", "Daylens09", "Daylens10", "Daylens11",
                           "Daylens12"};
    for (const char* name : names) {
        std::string path = std::string(DAYLENS_DIST_DIR "/Icon/") + name + ".ico";
        HICON icon = static_cast<HICON>(LoadImageA(nullptr, path.c_str(), IMAGE_ICON, 16, 16,
                                                   LR_LOADFROMFILE));
        EXPECT_NE(icon, nullptr) << path;
        if (icon)
            DestroyIcon(icon);
    }
}

}  // namespace
