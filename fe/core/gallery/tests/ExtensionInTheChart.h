#pragma once

// The extension as the program loads it: a real chart adds it by its ProgID, the class made creatable
// inside this process for the test.

#include <gtest/gtest.h>

#include "com/Activation.h"
#include "com/Bstr.h"
#include "com/ClassFactory.h"
#include "com/ComObject.h"
#include "com/InprocServer.h"
#include "dravik/Identities.h"
#include "extension/CFinancialCharts.h"
#include "korvel/KvlChart.h"

namespace dravik::test {

class ExtensionInTheChart : public ::testing::Test {
protected:
    void SetUp() override {
        const com::ServerClass serverClass{CLSID_FinancialCharts, kFinancialChartsProgIdText,
                                           kFinancialChartsVersionedProgId, "Apartment",
                                           &com::createComObject<CFinancialCharts>};
        ASSERT_EQ(com::registerClassObject(serverClass), com::S_OK);
        chart = korvel::KvlChart::create();
        com::ComPtr<com::IUnknown> loaded;
        ASSERT_EQ(chart->AddExtension(com::Bstr(u"Lomex.Financial"), loaded.put()), com::S_OK);
        extension = static_cast<CFinancialCharts*>(loaded.as<IFinancialCharts>().get());
    }
    void TearDown() override {
        chart.reset();
        com::revokeClassObject(CLSID_FinancialCharts);
    }

    com::ComPtr<korvel::KvlChart> chart;
    CFinancialCharts* extension = nullptr;
};

}  // namespace dravik::test
