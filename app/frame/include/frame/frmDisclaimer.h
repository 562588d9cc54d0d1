#pragma once

// The disclaimer of the market-commentary service, with the choice not to be shown it again
// (setting "ShowDisclaimer": "1" checked, "0" not).

#include "frame/Form.h"

namespace frame {

class frmDisclaimer : public Form {
public:
    explicit frmDisclaimer(QWidget* parent = nullptr);
    static FormModel design();

    void Form_Load();
    void cmdOK_Click();
};

}  // namespace frame
