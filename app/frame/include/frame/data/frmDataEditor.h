#pragma once

// The data editor ("Data Editor"): a docked tool window that lists the charted company's trading days
// point by point (date, open, high, low, close, volume), refilled after every chart fill whether or
// not it is shown. A click on a column header sorts the list by that column's text, in turn
// ascending and descending. Closing the window only hides it while the program runs.

#include <cstdint>

#include "frame/Form.h"
#include "frame/data/DataEditorModel.h"

class QTreeWidget;

namespace frame {

class frmDataEditor : public Form {
public:
    frmDataEditor();
    static FormModel design();

    // Lists the chart's points but the last `trailing` ones (those without a close).
    void FillData(korvel::IKvlChart& chart, std::int32_t trailing);

    void Form_Load();
    void Form_Resize();
    void lsvData_ColumnClick(int position);

    const DataEditorModel& dataModel() const { return m_model; }
    QTreeWidget* lsvData() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showRows();

    DataEditorModel m_model;
};

}  // namespace frame
