#pragma once

// The about box: the program's name, version, legal line and warning.

#include "frame/Form.h"

namespace frame {

class frmAbout : public Form {
public:
    explicit frmAbout(QWidget* parent = nullptr);
    static FormModel design();

    void Form_Load();
    void cmdOK_Click();
};

}  // namespace frame
