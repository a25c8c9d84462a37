// The document, view and frame together under a single-document template, as the program sets
// them up: opening a file fills the statistics pane and the scroll size, a file that is no
// bitmap leaves an empty document and an empty pane, and the conversion command is enabled
// only with a picture.
#include "bmp_writer.h"
#include "main_frame.h"
#include "mt_doc.h"
#include "mt_view.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <filesystem>

using graymill_test::BmpBytes;
using graymill_test::BmpSpec;

namespace {

class CGraymillTestApp : public CWinApp {
public:
    CGraymillTestApp() : CWinApp("GraymillTest") {}
    BOOL InitInstance() override {
        AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CMTDoc),
                                              RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CMTView)));
        OnFileNew();
        return m_pMainWnd != nullptr;
    }
};

// Presses OK in the message box that is open when its posted message is handled, keeping its
// text; posted before a call that reports a failure, it runs in that box's modal loop.
class CMessageBoxAnswerer : public CWnd {
public:
    static constexpr UINT kAnswer = WM_APP + 1;
    CMessageBoxAnswerer() {
        CreateEx(0, nullptr, "Answerer", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr);
    }
    ~CMessageBoxAnswerer() override { DestroyWindow(); }

    void Arm() { PostMessage(kAnswer); }

    afx_msg LRESULT OnAnswer(WPARAM, LPARAM) {
        const HWND box = ::GetActiveWindow();
        char buffer[512] = {};
        ::GetDlgItemTextA(box, 0xFFFE, buffer, sizeof buffer);
        m_strText = buffer;
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        return 0;
    }

    CString m_strText;

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMessageBoxAnswerer, CWnd)
ON_MESSAGE(kAnswer, OnAnswer)
END_MESSAGE_MAP()

class DocumentTest : public ::testing::Test {
protected:
    CGraymillTestApp m_app;
    std::filesystem::path m_dir;

    void SetUp() override {
        m_dir =
            std::filesystem::temp_directory_path() / ("graymill-doc-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_dir);
        ASSERT_TRUE(m_app.InitInstance());
    }

    void TearDown() override {
        if (m_app.m_pMainWnd)
            m_app.m_pMainWnd->DestroyWindow();
        std::filesystem::remove_all(m_dir);
    }

    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = (m_dir / name).string();
        graymill_test::WriteFile(path, bytes);
        return path;
    }

    CMainFrame* Frame() const { return static_cast<CMainFrame*>(m_app.m_pMainWnd); }
    CMTDoc* Doc() const { return static_cast<CMTDoc*>(Frame()->GetActiveDocument()); }
    CMTView* View() const { return static_cast<CMTView*>(Frame()->GetActiveView()); }

    // Runs the update handler of the conversion command.
    bool ConvertEnabled() const {
        struct Probe : CCmdUI {
            bool enabled = false;
            void Enable(BOOL bOn) override { enabled = bOn; }
            void SetText(LPCTSTR) override {}
        } probe;
        probe.m_nID = IDM_EFFECTS_GRAYSCALE;
        Doc()->OnUpdateGrayScaleUI(&probe);
        return probe.enabled;
    }
};

TEST_F(DocumentTest, StartsEmptyWithTheConversionDisabled) {
    EXPECT_EQ(nullptr, Doc()->GetBitmap());
    EXPECT_EQ(nullptr, Doc()->GetPalette());
    EXPECT_EQ(CString(""), Frame()->GetPaneText(1));
    EXPECT_EQ(CSize(0, 0), View()->GetTotalSize());
    EXPECT_FALSE(ConvertEnabled());
}

TEST_F(DocumentTest, OpeningAPictureShowsItsStatisticsAndScrollSize) {
    BmpSpec spec{1024, 768, 24, false, 0, {}, std::vector<uint32_t>(1024 * 768, 0x336699)};
    ASSERT_NE(nullptr, m_app.OpenDocumentFile(Write("big.bmp", BmpBytes(spec)).c_str()));
    ASSERT_NE(nullptr, Doc()->GetBitmap());
    EXPECT_EQ(CString("1024 x 768, 24 bpp"), Frame()->GetPaneText(1));
    EXPECT_EQ(CSize(1024, 768), View()->GetTotalSize());
    EXPECT_TRUE(ConvertEnabled());
    // A display without palettes gets no palette at all.
    EXPECT_EQ(nullptr, Doc()->GetPalette());

    BmpSpec indexed{3, 2, 8, true, 2, {0, 0xFFFFFF}, {0, 1, 0, 1, 0, 1}};
    ASSERT_NE(nullptr, m_app.OpenDocumentFile(Write("small.bmp", BmpBytes(indexed)).c_str()));
    EXPECT_EQ(CString("3 x 2, 8 bpp"), Frame()->GetPaneText(1));
    EXPECT_EQ(CSize(3, 2), View()->GetTotalSize());
}

TEST_F(DocumentTest, AFileThatIsNoBitmapLeavesAnEmptyDocumentAndPane) {
    BmpSpec spec{4, 4, 24, false, 0, {}, std::vector<uint32_t>(16, 0xFF0000)};
    ASSERT_NE(nullptr, m_app.OpenDocumentFile(Write("good.bmp", BmpBytes(spec)).c_str()));
    ASSERT_TRUE(ConvertEnabled());

    std::string truncated = BmpBytes(spec);
    truncated.resize(truncated.size() - 1);
    const std::pair<std::string, const char*> cases[] = {
        {"BM, but nothing more", "The file is not a bitmap (.bmp) file."},
        {std::string(), "The file is not a bitmap (.bmp) file."},
        {truncated, "The bitmap file ends before all of its pixels."},
    };
    for (const auto& [bytes, reason] : cases) {
        CMessageBoxAnswerer answerer;
        answerer.Arm();
        const std::string path = Write("bad.bmp", bytes);
        EXPECT_EQ(nullptr, m_app.OpenDocumentFile(path.c_str()));
        const std::string shown = LPCTSTR(answerer.m_strText);
        EXPECT_NE(std::string::npos, shown.find(reason)) << shown;
        EXPECT_NE(std::string::npos, shown.find("bad.bmp")) << shown;
        EXPECT_EQ(nullptr, Doc()->GetBitmap());
        EXPECT_TRUE(Doc()->GetPathName().IsEmpty()) << "the old file is no longer shown";
        EXPECT_EQ(CString(""), Frame()->GetPaneText(1));
        EXPECT_EQ(CSize(0, 0), View()->GetTotalSize());
        EXPECT_FALSE(ConvertEnabled());
    }
}

} // namespace
