#pragma once

// The import window: shows the progress of the import of a data file into the market database.

#include <QString>

#include "appdata/update/BulkImport.h"
#include "frame/Form.h"

namespace frame {

class frmBulkData : public Form {
public:
    explicit frmBulkData(QWidget* parent = nullptr);
    static FormModel design();

    // Imports the file; returns at once while an import runs or for an empty name. True when the
    // import ran, whether or not all of the file was stored.
    bool GetDataFromFile(const QString& File);
    bool isImporting() const { return m_import.isImporting(); }
    void cmdOK_Click();

protected:
    // The window stays while an import runs: its rows go in under one transaction.
    void closeEvent(QCloseEvent* event) override;

private:
    void setStatus(int32_t row);
    void enableOK(bool enabled);

    tarnwick::BulkImport m_import;
};

}  // namespace frame
