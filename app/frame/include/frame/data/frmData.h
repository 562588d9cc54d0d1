#pragma once

// The chart values window ("Chart Values"): a docked tool window that lists, while the mouse moves
// over the chart, the values of the chart point under the mouse (ChartValuesModel). It follows the
// mouse whether or not it is shown. Closing the window only hides it while the program runs.

#include <cstdint>

#include "frame/Form.h"
#include "frame/data/ChartValuesModel.h"

class QTreeWidget;

namespace frame {

class frmData : public Form {
public:
    frmData();
    static FormModel design();

    // The chart's mouse movement to the client pixel (x, y); errors are logged.
    void DataChange(std::int16_t x, std::int16_t y, korvel::IKvlChart& chart);

    void Form_Load();
    void Form_Resize();

    const ChartValuesModel& valuesModel() const { return m_model; }
    QTreeWidget* lsvDataList() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showRows();

    ChartValuesModel m_model;
};

}  // namespace frame
