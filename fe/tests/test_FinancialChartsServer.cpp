// The built libdravik.so as the chart control and the application see it: registered in a class
// registry of its own, "Lomex.Financial" is created by ProgID and answers its interfaces. This program
// links only the object model and the interface headers.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include <QApplication>
#include <QTimer>

#include "com/Activation.h"
#include "com/ConnectionPoint.h"
#include "com/InprocServer.h"
#include "dravik/DrawingInterfaces.h"
#include "dravik/Events.h"
#include "dravik/IFinancialCharts.h"
#include "dravik/Identities.h"
#include "korvel/KvlContract.h"
#include "ui/Dialog.h"
#include "ui/PropertyPageObject.h"

namespace {

class FinancialChartsServer : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "dravik-server-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        ::setenv("TARNWICK_CLASS_REGISTRY", (folder_ / "classes.reg").c_str(), 1);
        library_ = ::dlopen(DRAVIK_SERVER_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library_, nullptr) << ::dlerror();
        const auto registerServer =
            reinterpret_cast<com::DllRegisterServerFunction>(::dlsym(library_, "DllRegisterServer"));
        ASSERT_NE(registerServer, nullptr);
        ASSERT_EQ(registerServer(), com::S_OK) << com::lastActivationError();
    }
    void TearDown() override {
        ::unsetenv("TARNWICK_CLASS_REGISTRY");
        std::filesystem::remove_all(folder_);
    }

    std::filesystem::path folder_;
    void* library_ = nullptr;  // stays loaded, as the activation code keeps it
};

TEST_F(FinancialChartsServer, BothProgIdsNameTheClass) {
    com::CLSID clsid;
    ASSERT_EQ(com::CLSIDFromProgID("Lomex.Financial", &clsid), com::S_OK);
    EXPECT_EQ(clsid, dravik::CLSID_FinancialCharts);
    EXPECT_EQ(clsid.toString(), "{3F53C702-5296-42FF-BD60-3C37A4308F7D}");
    ASSERT_EQ(com::CLSIDFromProgID("Lomex.Financial.4", &clsid), com::S_OK);
    EXPECT_EQ(clsid, dravik::CLSID_FinancialCharts);
    std::string progId;
    ASSERT_EQ(com::ProgIDFromCLSID(dravik::CLSID_FinancialCharts, &progId), com::S_OK);
    EXPECT_EQ(progId, "Lomex.Financial.4");
}

TEST_F(FinancialChartsServer, CreatedByProgIdItAnswersItsInterfaces) {
    com::ComPtr<korvel::IKvlExtension> extension;
    ASSERT_EQ(com::createInstance("Lomex.Financial", extension), com::S_OK) << com::lastActivationError();
    EXPECT_TRUE(extension.as<dravik::IFinancialCharts>());
    EXPECT_TRUE(extension.as<korvel::IKvlExtensionPaint>());
    EXPECT_TRUE(extension.as<korvel::IKvlExtensionScroll>());
    EXPECT_TRUE(extension.as<korvel::IKvlExtensionCallback>());

    auto gallery = extension.as<korvel::IKvlExtensionGallery>();
    ASSERT_TRUE(gallery);
    EXPECT_EQ(gallery->GetGalleryCount(), 6);
    EXPECT_EQ(gallery->GetGalleryCapabilities(5), 0x2881000);

    korvel::KvlCaption caption;
    ASSERT_EQ(extension->GetCaption(&caption), com::S_OK);
    EXPECT_STREQ(caption.caption, "Financial");

    com::SHORT close = 0;
    ASSERT_EQ(extension.as<dravik::IFinancialCharts>()->get_CloseSeries(&close), com::S_OK);
    EXPECT_EQ(close, -1);

    auto container = extension.as<com::IConnectionPointContainer>();
    ASSERT_TRUE(container);
    com::ComPtr<com::IConnectionPoint> point;
    ASSERT_EQ(container->FindConnectionPoint(dravik::DIID_DLomex_Events, point.put()), com::S_OK);
    com::IID iid;
    point->GetConnectionInterface(&iid);
    EXPECT_EQ(iid, dravik::DIID_DLomex_Events);

    // Detached, the extension answers no site.
    EXPECT_FALSE(extension.as<korvel::IKvlExtensionSite>());
}

TEST_F(FinancialChartsServer, TheLibraryCanUnloadOnceItsObjectsAreGone) {
    const auto canUnload =
        reinterpret_cast<com::DllCanUnloadNowFunction>(::dlsym(library_, "DllCanUnloadNow"));
    ASSERT_NE(canUnload, nullptr);
    {
        com::ComPtr<korvel::IKvlExtension> extension;
        ASSERT_EQ(com::createInstance("Lomex.Financial.4", extension), com::S_OK);
        EXPECT_EQ(canUnload(), com::S_FALSE);
    }
    EXPECT_EQ(canUnload(), com::S_OK);

    const auto unregisterServer =
        reinterpret_cast<com::DllUnregisterServerFunction>(::dlsym(library_, "DllUnregisterServer"));
    ASSERT_EQ(unregisterServer(), com::S_OK);
    com::ComPtr<korvel::IKvlExtension> gone;
    EXPECT_EQ(com::createInstance("Lomex.Financial", gone), com::REGDB_E_CLASSNOTREG);
}

TEST_F(FinancialChartsServer, PagesOfTheSpecialChartsAndTheDrawPageAreCreatedByClassId) {
    struct Page {
        com::CLSID clsid;
        const char* title;
    };
    const Page pages[] = {
        {dravik::CLSID_PointFigPage, "Point And Figure"},
        {dravik::CLSID_RenkoPage, "Renko"},
        {dravik::CLSID_KagiPage, "Kagi"},
        {dravik::CLSID_ThreeLineBreakPage, "Three Line Break"},
        {dravik::CLSID_DrawPage, "Draws"},
    };
    for (const Page& page : pages) {
        com::ComPtr<ui::IPropertyPageObject> object;
        ASSERT_EQ(com::createInstance(page.clsid, object), com::S_OK) << com::lastActivationError();
        ASSERT_NE(object->GetPage(), nullptr);
        EXPECT_EQ(object->GetPage()->title(), QString::fromLatin1(page.title));
        // Without a chart there is nothing to bind to.
        EXPECT_EQ(object->GetPage()->setObjects({}), com::E_INVALIDARG);
    }
}

TEST_F(FinancialChartsServer, AxisPagesAreCreatedByClassIdAndProgId) {
    struct Page {
        com::CLSID clsid;
        const char* progId;
        const char* title;
    };
    const Page pages[] = {
        {dravik::CLSID_AxisGeneralPage, "Lomex.AxisGeneralPage", "Axes"},
        {dravik::CLSID_AxisScalePage, "Lomex.AxisScalePage", "Scale"},
        {dravik::CLSID_AxisGridPage, "Lomex.AxisGridPage", "Grid Lines"},
    };
    for (const Page& page : pages) {
        SCOPED_TRACE(page.progId);
        com::ComPtr<ui::IPropertyPageObject> object;
        ASSERT_EQ(com::createInstance(page.clsid, object), com::S_OK) << com::lastActivationError();
        ASSERT_NE(object->GetPage(), nullptr);
        EXPECT_EQ(object->GetPage()->title(), QString::fromLatin1(page.title));
        EXPECT_EQ(object->GetPage()->setObjects({}), com::E_INVALIDARG);
        com::ComPtr<ui::IPropertyPageObject> byName;
        EXPECT_EQ(com::createInstance(page.progId, byName), com::S_OK) << com::lastActivationError();
    }
}

TEST_F(FinancialChartsServer, DrawingsOpenTheirParameterDialogFromTheLoadedLibrary) {
    com::ComPtr<dravik::IFinancialCharts> extension;
    ASSERT_EQ(com::createInstance("Lomex.Financial", extension), com::S_OK) << com::lastActivationError();
    com::ComPtr<dravik::IDrawFeature> fan;
    ASSERT_EQ(extension->get_FibonacciFan(com::Variant(), fan.put()), com::S_OK);
    QString title;
    QTimer::singleShot(0, [&title] {
        auto* dialog = qobject_cast<ui::Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr) << "the parameter dialog did not open";
        title = dialog->windowTitle();
        dialog->setItemText(572, "50");
        dialog->clickButton(1);
    });
    com::VARIANT_BOOL changed = com::VARIANT_FALSE;
    ASSERT_EQ(fan->ShowParametersDlg(0, &changed), com::S_OK);
    EXPECT_EQ(title, "Fibonacci Configuration");
    EXPECT_EQ(changed, com::VARIANT_TRUE);
    // The first level was 0.382 (0x3FD872B020C49BA6) and is now 0.5 (0x3FE0000000000000).
    std::uint8_t byte6 = 0;
    ASSERT_EQ(fan->get_ExtraByte(6, &byte6), com::S_OK);
    EXPECT_EQ(byte6, 0xE0);
}

}  // namespace
