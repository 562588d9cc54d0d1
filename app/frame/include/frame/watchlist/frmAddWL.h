#pragma once

// The watch-list name dialog: the name of a new watch list or the new name of one. It writes the
// confirmed name into the caller's list and answers through gDialogResult; it never stores anything.

#include "appdata/records/clsWL.h"
#include "frame/Form.h"

namespace frame {

class frmAddWL : public Form {
public:
    explicit frmAddWL(QWidget* parent = nullptr);
    static FormModel design();

    // Shows the list's name, selected, and writes the confirmed name into `list`, which must outlive
    // the dialog.
    void PrepareME(tarnwick::clsWL& list);
    // Refuses a name of blanks only; otherwise takes the name as typed and confirms.
    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    tarnwick::clsWL* m_list = nullptr;
};

}  // namespace frame
