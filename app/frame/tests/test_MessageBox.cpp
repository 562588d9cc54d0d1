// Message boxes: the style that Arabic mode adds, and the platform service that shows them.
#include <gtest/gtest.h>

#include "frame/LanguageTable.h"
#include "frame/MessageBox.h"
#include "ui/ScriptedModalServices.h"

namespace {

class MessageBoxTest : public ::testing::Test {
protected:
    void TearDown() override { gArabic = false; }

    ui::ScriptedModalServices m_script;
};

TEST_F(MessageBoxTest, ArabicStylesAreRightAlignedRightToLeft) {
    struct Case {
        int32_t style;
        int32_t english;
        int32_t arabic;
    };
    const Case cases[] = {
        {0, 0, 1572864},
        {ui::MB_ICONINFORMATION, 64, 1572928},
        {ui::MB_ICONCRITICAL, 16, 1572880},
        {ui::MB_YESNO | ui::MB_ICONQUESTION, 36, 1572900},
        {ui::MB_ICONINFORMATION | ui::MB_ARABIC, 1572928, 1572928},  // never added twice
    };
    for (const Case& c : cases) {
        gArabic = false;
        EXPECT_EQ(frame::messageBoxStyle(c.style), c.english);
        gArabic = true;
        EXPECT_EQ(frame::messageBoxStyle(c.style), c.arabic);
    }
}

TEST_F(MessageBoxTest, ShowMessageAsksThePlatformServiceInTheCurrentLanguage) {
    gArabic = true;
    m_script.answerMessageBox(ui::IDNO);
    EXPECT_EQ(frame::showMessage(QStringLiteral("text"), ui::MB_YESNO, QStringLiteral("title")), ui::IDNO);
    gArabic = false;
    m_script.answerMessageBox(ui::IDOK);
    EXPECT_EQ(frame::showMessage(QStringLiteral("plain")), ui::IDOK);

    const auto& asked = m_script.questions();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].text, QStringLiteral("text"));
    EXPECT_EQ(asked[0].style, ui::MB_YESNO | 1572864);
    EXPECT_EQ(asked[0].caption, QStringLiteral("title"));
    EXPECT_EQ(asked[1].style, 0);
    EXPECT_FALSE(asked[1].caption.isEmpty());  // the program's title stands in for an empty one
    EXPECT_EQ(m_script.unanswered(), 0);
}

}  // namespace
