#pragma once

// The language window: English or Arabic for the interface. The choice is stored under "Language"
// ("True" Arabic, "False" English) and takes effect for every window localised afterwards.

#include "frame/Form.h"

namespace frame {

class frmLanguage : public Form {
public:
    static constexpr int kEnglish = 0;
    static constexpr int kArabic = 1;

    explicit frmLanguage(QWidget* parent = nullptr);
    static FormModel design();

    void Form_Load();
    void cmdOK_Click();
};

}  // namespace frame
