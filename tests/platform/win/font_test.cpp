// The UI's font, "宋体" (SimSun), must resolve to a face that has the Chinese glyphs the window shows.
// Without one, the text would fall back to a Latin face and render as boxes.
#include <windows.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

// Every Chinese character of the lap timer's captions, log lines and time units.
const wchar_t kUiCharacters[] = L"开始计次暂停继续结束清空升级退出时分秒毫";

// A memory DC with one font selected, released in reverse order.
class SelectedFont {
public:
    SelectedFont(const wchar_t* face, BYTE charset) {
        dc_ = CreateCompatibleDC(nullptr);
        font_ = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, charset, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
        if (dc_ && font_) old_ = SelectObject(dc_, font_);
    }
    ~SelectedFont() {
        if (old_) SelectObject(dc_, old_);
        if (font_) DeleteObject(font_);
        if (dc_) DeleteDC(dc_);
    }
    SelectedFont(const SelectedFont&) = delete;
    SelectedFont& operator=(const SelectedFont&) = delete;

    bool ok() const { return dc_ && font_ && old_; }
    HDC dc() const { return dc_; }

    // Positions in `text` whose character the realised font lacks.
    std::vector<size_t> MissingGlyphs(const std::wstring& text) const {
        std::vector<WORD> glyphs(text.size());
        std::vector<size_t> missing;
        DWORD n = GetGlyphIndicesW(dc_, text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                                   GGI_MARK_NONEXISTING_GLYPHS);
        if (n != text.size()) {
            for (size_t i = 0; i < text.size(); ++i) missing.push_back(i);
            return missing;
        }
        for (size_t i = 0; i < glyphs.size(); ++i)
            if (glyphs[i] == 0xFFFF) missing.push_back(i);
        return missing;
    }

    std::wstring Face() const {
        wchar_t face[LF_FACESIZE] = {};
        GetTextFaceW(dc_, LF_FACESIZE, face);
        return face;
    }

    // The code pages the realised font covers, from its font signature.
    DWORD CodePages() const {
        FONTSIGNATURE sig = {};
        GetTextCharsetInfo(dc_, &sig, 0);
        return sig.fsCsb[0];
    }

private:
    HDC dc_ = nullptr;
    HFONT font_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

// Bit of FONTSIGNATURE.fsCsb[0] for code page 936, Simplified Chinese.
constexpr DWORD kCodePage936 = 1u << 18;

struct FontCase {
    const wchar_t* face;
    BYTE charset;
    const char* label;
};

void PrintTo(const FontCase& c, std::ostream* os) { *os << c.label; }

class SongFont : public testing::TestWithParam<FontCase> {};

TEST_P(SongFont, HasEveryChineseCharacterOfTheUi) {
    const FontCase& c = GetParam();
    SelectedFont font(c.face, c.charset);
    ASSERT_TRUE(font.ok());

    std::wstring text(kUiCharacters);
    std::vector<size_t> missing = font.MissingGlyphs(text);
    EXPECT_TRUE(missing.empty()) << missing.size() << " of " << text.size()
                                 << " characters have no glyph, first at index "
                                 << (missing.empty() ? 0 : missing.front());
}

TEST_P(SongFont, RealisesAChineseFace) {
    const FontCase& c = GetParam();
    SelectedFont font(c.face, c.charset);
    ASSERT_TRUE(font.ok());

    EXPECT_FALSE(font.Face().empty());
    EXPECT_NE(font.CodePages() & kCodePage936, 0u)
        << "the realised face does not cover Simplified Chinese; code pages 0x" << std::hex
        << font.CodePages();

    // A full-width character is about as wide as the font is high; a Latin fallback's box or blank is not
    // the point here, the advance of a CJK face is.
    SIZE size = {};
    ASSERT_TRUE(GetTextExtentPoint32W(font.dc(), L"开", 1, &size));
    EXPECT_GE(size.cx, 10);
    EXPECT_LE(size.cx, 14);
}

// The window's own font is "宋体" with the ANSI charset, as stored in its form; the other names are the
// same face as other programs and dialogs ask for it.
INSTANTIATE_TEST_SUITE_P(Faces, SongFont,
                         testing::Values(FontCase{L"宋体", ANSI_CHARSET, "SongAnsi"},
                                         FontCase{L"宋体", GB2312_CHARSET, "SongGb2312"},
                                         FontCase{L"SimSun", DEFAULT_CHARSET, "SimSunDefault"},
                                         FontCase{L"SimSun", GB2312_CHARSET, "SimSunGb2312"}),
                         [](const testing::TestParamInfo<FontCase>& info) { return info.param.label; });

// The control: a face known to lack the characters really reports them missing, so the checks above can fail.
TEST(SongFontCheck, DetectsMissingGlyphs) {
    SelectedFont font(L"Marlett", SYMBOL_CHARSET);
    ASSERT_TRUE(font.ok());
    EXPECT_FALSE(font.MissingGlyphs(L"开始").empty());
}

}  // namespace
