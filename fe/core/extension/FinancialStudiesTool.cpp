// What the studies tool sees of the extension object: its study records, the analytical chart's
// calculated list, the study toggle, the InternalCommand event and the current language's texts.
#include "extension/CFinancialCharts.h"

namespace dravik {
namespace {

class FinancialStudiesToolOwner final : public StudiesToolOwner {
public:
    explicit FinancialStudiesToolOwner(CFinancialCharts& charts) : charts_(charts) {}

    const StudyRecord* ToolStudyRecord(int study) override { return charts_.studyRecord(study); }
    std::string ToolStudyName(int study) override { return charts_.studyName(study); }
    SHORT ToolFindCalculatedStudy(int study, bool* shown) override {
        return charts_.FindCalculatedStudy(study, shown);
    }
    LONG ToolInternalCommand(LONG id) override {
        LONG result = 0;
        charts_.events().InternalCommand(id, &result);
        return result;
    }
    HRESULT ToolToggleStudy(int study, bool hide) override { return charts_.ToggleStudy(study, hide); }
    std::shared_ptr<const res::ResourceModule> ToolResources() override {
        return charts_.GetResourceInstance();
    }

private:
    CFinancialCharts& charts_;
};

}  // namespace

std::unique_ptr<StudiesToolOwner> MakeStudiesToolOwner(CFinancialCharts& charts) {
    return std::make_unique<FinancialStudiesToolOwner>(charts);
}

}  // namespace dravik
