// The studies tool inside the extension: handed out through StudiesToolObj, listing the extension's
// studies, and a check box that goes through InternalCommand before the extension toggles the study.
#include <QLabel>
#include <QListWidget>

#include "ExtensionFixture.h"
#include "com/EventSink.h"
#include "dravik/Events.h"
#include "dravik/StudiesToolInterface.h"
#include "dravik/StudyInterfaces.h"
#include "studiestool/CStudiesToolWnd.h"

namespace dravik::test {
namespace {

class StudiesToolInExtension : public ExtensionFixture {
protected:
    void SetUp() override {
        ExtensionFixture::SetUp();
        ASSERT_NE(extension->GetStudiesToolObject(false), nullptr);
        IStudiesTool* raw = nullptr;
        ASSERT_EQ(extension->get_StudiesToolObj(&raw), com::S_OK);
        tool = com::ComPtr<IStudiesTool>::attach(raw);
        // The tool shows only while the analytical chart is active; its own put shows it anyway.
        ASSERT_EQ(tool->put_Visible(com::VARIANT_TRUE), com::S_OK);
        listen();
    }
    void TearDown() override {
        tool.reset();
        ExtensionFixture::TearDown();
    }
    void listen() {
        com::ComPtr<com::IConnectionPoint> point;
        ASSERT_EQ(extension->FindConnectionPoint(DIID_DLomex_Events, point.put()), com::S_OK);
        sink = com::makeComObject<com::EventSink>(DIID_DLomex_Events);
        sink->on(kEventInternalCommand, [this](std::span<com::Variant> args) {
            commands.push_back(args[0].i4());
            *args[1].i4Ref() = answer;
            return com::S_OK;
        });
        com::DWORD cookie = 0;
        ASSERT_EQ(point->Advise(sink->identity(), &cookie), com::S_OK);
    }
    CStudiesToolWnd& window() { return *extension->studiesToolForTests()->window(); }
    QListWidgetItem* itemOf(int study) { return window().list()->item(window().RowOf(study)); }

    com::ComPtr<IStudiesTool> tool;
    com::ComPtr<com::EventSink> sink;
    std::vector<com::LONG> commands;
    com::LONG answer = 0;
};

TEST_F(StudiesToolInExtension, ListsTheExtensionsBuiltInStudiesByName) {
    ASSERT_EQ(tool->UpdateStatus(-1), com::S_OK);
    EXPECT_EQ(window().list()->count(), 38);
    EXPECT_EQ(itemOf(24)->text(), "MACD");
    EXPECT_EQ(tool->UpdateStatus(58), com::E_INVALIDARG);
}

TEST_F(StudiesToolInExtension, ACustomStudySetUpThroughItsObjectIsListed) {
    ICustomIndex* raw = nullptr;
    ASSERT_EQ(extension->get_CUSTOM2(&raw), com::S_OK);
    auto custom = com::ComPtr<ICustomIndex>::attach(raw);
    ASSERT_EQ(custom->SetUpAs(4, com::Bstr(u"Fast EMA")), com::S_OK);
    ASSERT_GE(window().RowOf(50), 0) << "the tool lists a study set up anew";
    EXPECT_EQ(itemOf(50)->text(), "Fast EMA");
    window().list()->setCurrentRow(window().RowOf(50));
    EXPECT_TRUE(window().description()->text().startsWith("Exponential moving average of Close Price over"));
}

TEST_F(StudiesToolInExtension, ACheckBoxRaisesInternalCommandWithTheStudysCommand) {
    answer = 1;  // the container takes the command
    itemOf(22)->setCheckState(Qt::Checked);
    EXPECT_EQ(commands, std::vector<com::LONG>{32});
    EXPECT_EQ(itemOf(22)->checkState(), Qt::Unchecked) << "nobody toggled the study";

    // Left to the extension, the study is toggled through ToggleStudy; without the analytical chart's
    // calculated list the study stays hidden and the box says so.
    answer = 0;
    itemOf(22)->setCheckState(Qt::Checked);
    EXPECT_EQ(commands, (std::vector<com::LONG>{32, 32}));
    bool shown = true;
    extension->FindCalculatedStudy(22, &shown);
    EXPECT_EQ(itemOf(22)->checkState(), shown ? Qt::Checked : Qt::Unchecked);
}

}  // namespace
}  // namespace dravik::test
