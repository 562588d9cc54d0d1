#pragma once

// The splash window shown while the program starts: its picture, version and legal line. It keeps
// its design texts apart from the two rows it sets itself.

#include "frame/Form.h"

namespace frame {

class frmSplash : public Form {
public:
    explicit frmSplash(QWidget* parent = nullptr);
    static FormModel design();

    void Form_Load();
};

}  // namespace frame
