// Indices, the studies property page: the user picks a study, edits its parameters, its pane size and
// name and the look of each of its output series. It reaches each study through the extension's study
// objects (IIndex / ICustomIndex) and each output through the study's series objects.
//
// Choosing another study or output series writes the one shown so far (when it was edited) first.
// Writing a study raises StudiesPageCommit, writing an output series StudiesPageSeriesCommit; nothing is
// written or raised for what was not edited.
#pragma once

#include <memory>

#include "com/ComObject.h"
#include "com/ComPtr.h"
#include "dravik/StudyInterfaces.h"
#include "pages/CFinancialPropertyPage.h"
#include "ui/PropertyPageObject.h"

namespace dravik {

class CFinancialCharts;

// Dialog items of the page.
enum StudiesPageItem : int {
    IDC_STUDY_LIST = 521,
    IDC_OUTPUT_LIST = 523,
    IDC_PERFORM_ON_LABEL = 549,
    IDC_PERIODS_LABEL = 534,
    IDC_PERIODS = 535,
    IDC_SIGNAL_LABEL = 536,
    IDC_SECOND = 537,
    IDC_DEVIATION_LABEL = 538,
    IDC_SIGNAL2_LABEL = 539,
    IDC_K_LABEL = 544,
    IDC_SHORT_LABEL = 540,
    IDC_SHORT = 542,
    IDC_LONG_LABEL = 541,
    IDC_LONG = 543,
    IDC_START_LABEL = 546,
    IDC_START = 545,
    IDC_LONG_FIRST_LABEL = 547,
    IDC_SHORT_SECOND_LABEL = 548,
    IDC_SHORT_THIRD_LABEL = 550,
    IDC_LONG_FOURTH_LABEL = 551,
    IDC_SPACE_LABEL = 526,
    IDC_SPACE = 528,
    IDC_GAP_LABEL = 527,
    IDC_GAP = 529,
    IDC_NAME_LABEL = 568,
    IDC_NAME = 552,
    IDC_GALLERY = 1097,
    IDC_SERIES_COLOR = 511,
    IDC_WIDTH_LABEL = 530,
    IDC_WIDTH = 531,
    IDC_STYLE_LABEL = 532,
    IDC_STYLE = 533,
    IDC_LEGEND = 524,
};
inline constexpr std::uint32_t kStudiesPageTitleId = 116;

class CStudiesPage final : public CFinancialPropertyPage {
public:
    CStudiesPage();

    // The study shown (-1 none) and its output series shown (-1 none).
    int currentStudy() const { return study_; }
    int currentOutput() const { return output_; }

protected:
    com::HRESULT BindPage() override;
    void ReleasePage() override;
    void LoadPage(ui::Dialog& dialog) override;
    com::HRESULT ApplyPage(ui::Dialog& dialog) override;
    bool onCommand(ui::Dialog& dialog, int id, int code) override;
    void onDrawItem(ui::Dialog& dialog, const ui::DrawItem& item) override;

private:
    void fillStudyList(ui::Dialog& dialog);
    void fillGalleryList(ui::Dialog& dialog);
    void selectStudy(ui::Dialog& dialog, int study);
    void selectStudyUnderMouse(ui::Dialog& dialog);
    void selectOutput(ui::Dialog& dialog, int output);
    void loadStudy(ui::Dialog& dialog);
    void loadOutput(ui::Dialog& dialog);
    void commitStudy(ui::Dialog& dialog);
    void commitOutput(ui::Dialog& dialog);
    // The calculation kind of the study shown: its own number, the built-in study a custom study
    // copies, -1 for none.
    int kind() const;
    bool hasOption(com::LONG option) const;
    void showParameterRows(ui::Dialog& dialog);

    CFinancialCharts* financial_ = nullptr;
    com::ComPtr<IIndex0> studyObject_;
    int study_ = -1;
    int output_ = -1;
    bool studyChanged_ = false;
    bool outputChanged_ = false;
    bool priceIndicator_ = false;
    bool showing_ = false;
    com::LONG barGallery_ = 2;
};

class CStudiesPageObject final : public com::ComObject<ui::IPropertyPageObject> {
public:
    CStudiesPageObject() : page_(std::make_unique<CStudiesPage>()) {}
    ui::PropertyPage* GetPage() override { return page_.get(); }

private:
    ~CStudiesPageObject() override = default;
    std::unique_ptr<CStudiesPage> page_;
};

}  // namespace dravik
