// The user walk's steps beside the chart, their shared part: the walk's random choices, the chart
// settings window and the command bars as the user reaches them, and the answers to modal windows.
#pragma once

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QString>
#include <QToolBar>
#include <QTreeWidget>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "CommandActions.h"
#include "UserWalkChecks.h"
#include "UserWalkModals.h"
#include "frame/MDIForm1.h"
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

    // The Qt dialogs, taken before the script installs itself over them.
    ui::ModalServices& m_qtServices = ui::modalServices();
    ui::ScriptedModalServices m_script;
    RealMenus m_menus{m_script, m_qtServices};
    Watchdog m_watchdog;
};

}  // namespace userwalk
