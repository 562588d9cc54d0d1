// Message boxes: the style that Arabic mode adds, and the handler that shows them.
#include <gtest/gtest.h>

#include "frame/LanguageTable.h"
#include "frame/MessageBox.h"

namespace {

struct Shown {
    QString text;
    int32_t style = -1;
    QString title;
};

class MessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_previous =
            frame::setMessageBoxHandler([this](const QString& text, int32_t style, const QString& title) {
                m_shown.push_back({text, style, title});
                return m_answer;
            });
    }
    void TearDown() override {
        frame::setMessageBoxHandler(m_previous);
        gArabic = false;
    }

    std::vector<Shown> m_shown;
    int32_t m_answer = frame::IDOK;
    frame::MessageBoxHandler m_previous;
};

TEST_F(MessageBoxTest, ArabicStylesAreRightAlignedRightToLeft) {
    struct Case {
        int32_t style;
        int32_t english;
        int32_t arabic;
    };
    const Case cases[] = {
        {0, 0, 1572864},
        {frame::MB_ICONINFORMATION, 64, 1572928},
        {frame::MB_ICONSTOP, 16, 1572880},
        {frame::MB_YESNO | frame::MB_ICONQUESTION, 36, 1572900},
        {frame::MB_ICONINFORMATION | frame::kArabicMessageStyle, 1572928, 1572928},  // never added twice
    };
    for (const Case& c : cases) {
        gArabic = false;
        EXPECT_EQ(frame::messageBoxStyle(c.style), c.english);
        gArabic = true;
        EXPECT_EQ(frame::messageBoxStyle(c.style), c.arabic);
    }
}

TEST_F(MessageBoxTest, ShowMessageGoesThroughTheHandler) {
    gArabic = true;
    m_answer = frame::IDNO;
    EXPECT_EQ(frame::showMessage(QStringLiteral("text"), frame::MB_YESNO, QStringLiteral("title")),
              frame::IDNO);
    gArabic = false;
    m_answer = frame::IDOK;
    EXPECT_EQ(frame::showMessage(QStringLiteral("plain")), frame::IDOK);
    ASSERT_EQ(m_shown.size(), 2u);
    EXPECT_EQ(m_shown[0].text, QStringLiteral("text"));
    EXPECT_EQ(m_shown[0].style, frame::MB_YESNO | 1572864);
    EXPECT_EQ(m_shown[0].title, QStringLiteral("title"));
    EXPECT_EQ(m_shown[1].style, 0);
    EXPECT_TRUE(m_shown[1].title.isEmpty());
}

TEST_F(MessageBoxTest, ReplacingTheHandlerHandsBackTheOldOne) {
    int calls = 0;
    frame::MessageBoxHandler mine = frame::setMessageBoxHandler([&](const QString&, int32_t, const QString&) {
        ++calls;
        return frame::IDCANCEL;
    });
    EXPECT_EQ(frame::showMessage(QStringLiteral("x")), frame::IDCANCEL);
    frame::setMessageBoxHandler(mine);
    EXPECT_EQ(frame::showMessage(QStringLiteral("y")), frame::IDOK);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(m_shown.size(), 1u);
}

}  // namespace
