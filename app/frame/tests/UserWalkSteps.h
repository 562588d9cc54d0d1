// The user walk's steps in the program's windows beside the chart: the chart settings window's
// templates, the chart's property pages, the picture of the chart saved and copied, the data editor,
// the watch list and imports. Each step does what a user does and checks what the user then sees.
#pragma once

#include <QAction>
#include <QComboBox>
#include <QString>
#include <QToolBar>

#include <random>
#include <string>

#include "CommandActions.h"
#include "UserWalkChecks.h"
#include "UserWalkModals.h"
#include "frame/frmChartSettings.h"
#include "ostbar/OstToolbarWidget.h"
#include "ui/ScriptedModalServices.h"

namespace userwalk {

class UserWalkSteps : public UserWalkChecks {
protected:
    using Rng = std::mt19937;

    static std::size_t pick(Rng& rng, std::size_t count) { return static_cast<std::size_t>(rng() % count); }

    frame::frmChartSettings& settings() {
        return *static_cast<frame::frmChartSettings*>(
            frameWindow().toolWindow(QStringLiteral("frmChartSettings")));
    }
    template <class Widget>
    Widget* settingsControl(const char* name) {
        return static_cast<Widget*>(settings().controlWidget(QString::fromLatin1(name)));
    }
    QAction* chartAction(LONG id) { return widget().toolBar()->actionFor(static_cast<com::SHORT>(id)); }

    bool triggerFinancial(com::SHORT id) {
        ostbar::OstToolbarWidget* row = financialRow();
        QAction* action =
            row != nullptr && row->isVisible() ? findCommandAction(row->actions(), id) : nullptr;
        if (action == nullptr || !action->isEnabled())
            return false;
        action->trigger();
        return true;
    }

    // --- Templates -----------------------------------------------------------------------------

    std::string saveOrLoadTemplate(Rng& rng) {
        auto* combo = settingsControl<QComboBox>("cmbTemplates");
        if (combo->count() == 0 || pick(rng, 3) == 0) {
            m_script.answerInput(QStringLiteral("Walk %1").arg(combo->count() + 1));
            for (QAction* action : settingsControl<QToolBar>("Toolbar1")->actions())
                if (action->objectName() == QLatin1String("SaveAsNewTemplate"))
                    action->trigger();
            return "save";
        }
        const int index = static_cast<int>(pick(rng, static_cast<std::size_t>(combo->count())));
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        return "load " + std::to_string(index);
    }

    // --- The chart's property pages -----------------------------------------------------------

    // --- The chart's picture saved and copied ---------------------------------------------------

    // --- The data editor ------------------------------------------------------------------------

    // --- The watch list -------------------------------------------------------------------------

    // --- Imports --------------------------------------------------------------------------------

    // The Qt dialogs, taken before the script installs itself over them.
    ui::ModalServices& m_qtServices = ui::modalServices();
    ui::ScriptedModalServices m_script;
    RealMenus m_menus{m_script, m_qtServices};
    Watchdog m_watchdog;
};

}  // namespace userwalk
