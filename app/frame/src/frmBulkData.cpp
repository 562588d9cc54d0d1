#include "frame/frmBulkData.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>

#include <algorithm>
#include <limits>

#include "appdata/update/UpdateHooks.h"
#include "frame/LanguageTable.h"
#include "frame/MessageBox.h"

namespace frame {
namespace {

int progressValue(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, 0, std::numeric_limits<int>::max()));
}

// The message row in the interface language, with the count of rows not stored where it names one.
QString importProblemText(std::int32_t row, std::int64_t rows) {
    const QString text = GetLangMessage(row);
    return row == tarnwick::langrow::kImportRowsNotStored ? text.arg(rows) : text;
}

}  // namespace

FormModel frmBulkData::design() {
    FormModel f;
    f.name = QStringLiteral("frmBulkData");
    f.tag = QStringLiteral("204");
    f.caption = QStringLiteral("Import Data from File");
    f.width = 5700;
    f.height = 2100;
    f.controls = {
        designControl("lblLog", ControlKind::Label, "", QString(), 120, 120, 5340, 300),
        designControl("ProgressBar1", ControlKind::ProgressBar, "", QString(), 120, 540, 5340, 300),
        designControl("cmdOK", ControlKind::CommandButton, "5", QStringLiteral("OK"), 4260, 1080, 1200, 375),
    };
    return f;
}

frmBulkData::frmBulkData(QWidget* parent)
    : Form(design(), Localization::Localized, parent),
      m_import(tarnwick::ImportHooks{
          [this](std::int32_t row) { setStatus(row); },
          [this](std::int64_t maximum) {
              static_cast<QProgressBar*>(controlWidget(QStringLiteral("ProgressBar1")))
                  ->setMaximum(progressValue(maximum));
          },
          [this](std::int64_t value) {
              static_cast<QProgressBar*>(controlWidget(QStringLiteral("ProgressBar1")))
                  ->setValue(progressValue(value));
          },
          [this](bool enabled) { enableOK(enabled); },
          [](std::int32_t row, std::int64_t rows) {
              showMessage(importProblemText(row, rows), ui::MB_OK | ui::MB_ICONEXCLAMATION);
          }}) {
    setWindowFlags(Qt::Dialog);
    onClick(QStringLiteral("cmdOK"), [this] { cmdOK_Click(); });
}

// OK is off while the rows go in, and on again afterwards also when the import failed, so that the
// window can always be closed once nothing runs.
bool frmBulkData::GetDataFromFile(const QString& File) {
    if (isImporting() || File.isEmpty())
        return false;
    enableOK(false);
    const tarnwick::ImportOutcome outcome = m_import.GetDataFromFile(File.toStdString());
    enableOK(true);
    return outcome != tarnwick::ImportOutcome::NotRun;
}

void frmBulkData::cmdOK_Click() {
    if (!isImporting())
        unload();
}

void frmBulkData::closeEvent(QCloseEvent* event) {
    if (isImporting()) {
        event->ignore();
        return;
    }
    Form::closeEvent(event);
}

void frmBulkData::setStatus(int32_t row) {
    model().control(QStringLiteral("lblLog")).caption = GetLangString(row);
    static_cast<QLabel*>(controlWidget(QStringLiteral("lblLog")))->setText(GetLangString(row));
}

void frmBulkData::enableOK(bool enabled) {
    model().control(QStringLiteral("cmdOK")).enabled = enabled;
    controlWidget(QStringLiteral("cmdOK"))->setEnabled(enabled);
}

}  // namespace frame
