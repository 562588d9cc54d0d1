// The user walk's steps in the program's windows beside the chart: the chart settings window's
// templates, the chart's property pages, the picture of the chart saved and copied, the data editor,
// the watch list and imports. Each step does what a user does and checks what the user then sees.
#pragma once

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QTabWidget>
#include <QToolBar>

#include <cmath>
#include <cstdio>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "CommandActions.h"
#include "UserWalkChecks.h"
#include "UserWalkModals.h"
#include "dravik/ChartTypeInterfaces.h"
#include "frame/chart/ExtensionCalls.h"
#include "frame/frmChartSettings.h"
#include "ostbar/OstToolbarWidget.h"
#include "ui/Dialog.h"
#include "ui/PropertyFrame.h"
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

    // The page templates and the edits the steps use.
    static constexpr int kStudiesPage = 413;
    static constexpr int kStudyListControl = 521;
    static constexpr int kPeriodsEdit = 535;
    static constexpr int kBoxSizeEdit = 502;  // Kagi's reversal amount too
    static constexpr int kReversalEdit = 505;
    static constexpr int kBreakDaysEdit = 508;

    enum class PageAnswer { ApplyThenCancel, Ok, Cancel };
    static const char* answerName(PageAnswer answer) {
        return answer == PageAnswer::ApplyThenCancel ? "apply, cancel"
               : answer == PageAnswer::Ok            ? "ok"
                                                     : "cancel";
    }

    // The user's keys over the whole text of the edit.
    static void typeOver(QLineEdit* edit, const QString& digits) {
        edit->setFocus();
        edit->selectAll();
        for (const QChar digit : digits) {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_0 + digit.digitValue(), Qt::NoModifier, QString(digit));
            QApplication::sendEvent(edit, &key);
        }
    }

    // The chart's Properties command: once the frame shows, the user opens the page of `dialogId`,
    // `edit` works on it, and the frame is answered with `answer`. What went wrong, empty when nothing.
    std::string onPropertyPage(int dialogId, PageAnswer answer,
                               const std::function<std::string(ui::Dialog&)>& edit) {
        QAction* properties = chartAction(korvel::kCommandProperties);
        if (properties == nullptr || !properties->isEnabled())
            return "no Properties command";
        std::string trouble = "no property frame showed";
        const ModalAnswerer answerer([&] {
            auto* frame = qobject_cast<ui::PropertyFrame*>(QApplication::activeModalWidget());
            if (frame == nullptr)
                return false;
            ui::Dialog* page = nullptr;
            for (ui::Dialog* dialog : frame->findChildren<ui::Dialog*>())
                if (dialog->property("dialogId").toInt() == dialogId)
                    page = dialog;
            auto* tabs = frame->findChild<QTabWidget*>();
            for (int tab = 0; page != nullptr && tabs != nullptr && tab < tabs->count(); ++tab)
                if (tabs->widget(tab) == page || tabs->widget(tab)->isAncestorOf(page))
                    tabs->setCurrentIndex(tab);
            trouble = page == nullptr ? "no page " + std::to_string(dialogId) : edit(*page);
            if (!trouble.empty()) {
                frame->button(2)->click();
                return true;
            }
            if (answer == PageAnswer::ApplyThenCancel) {
                if (!frame->button(ui::ID_APPLY_NOW)->isEnabled())
                    trouble = "Apply is not enabled after the edit";
                frame->button(ui::ID_APPLY_NOW)->click();
            }
            frame->button(answer == PageAnswer::Ok ? 1 : 2)->click();
            if (frame->isVisible()) {
                trouble = "the frame stays open after " + std::string(answerName(answer));
                frame->reject();
            }
            return true;
        });
        properties->trigger();
        processEvents();
        return trouble;
    }

    // A study's page is there on an analytical chart; a special chart type has a page of its own.
    std::string editChartProperties(Rng& rng) {
        LONG type = -1;
        chart().get_ChartType(&type);
        const auto answer = static_cast<PageAnswer>(pick(rng, 3));
        return type == kAnalyticalType ? editAveragePeriods(rng, answer)
                                       : editSpecialChartPage(rng, type, answer);
    }

    // The user chooses a simple moving average on the studies page (one the chart shows, when it shows
    // one), types its Periods anew and answers the frame: after Apply or OK the study takes them and
    // its line is the mean of that many closes; after Cancel alone it keeps its own.
    std::string editAveragePeriods(Rng& rng, PageAnswer answer) {
        using frame::chart::Study;
        static constexpr Study kAverages[] = {Study::SimpleMA10, Study::SimpleMA50, Study::SimpleMA200};
        frame::chart::ExtensionStudySlots studies(&extension());
        std::vector<int> shown;
        for (int number = 0; number < 3; ++number)
            if (studies.get16(kAverages[number], frame::chart::kStudyVisible, 0) != 0)
                shown.push_back(number);
        const int number = shown.empty() ? static_cast<int>(pick(rng, 3)) : shown[pick(rng, shown.size())];
        const Study study = kAverages[number];
        const int before = studies.get16(study, frame::chart::kStudyPeriods, -1);
        int typed = before;
        while (typed == before)
            typed = 2 + static_cast<int>(pick(rng, 39));
        const std::string trouble =
            onPropertyPage(kStudiesPage, answer, [&](ui::Dialog& page) -> std::string {
                auto* list = qobject_cast<QComboBox*>(page.item(kStudyListControl));
                auto* periods = qobject_cast<QLineEdit*>(page.item(kPeriodsEdit));
                int item = -1;
                for (int i = 0; list != nullptr && i < page.count(kStudyListControl); ++i)
                    item = page.itemData(kStudyListControl, i) == number ? i : item;
                if (item < 0 || periods == nullptr)
                    return "the studies page lists no study " + std::to_string(number);
                list->setCurrentIndex(item);
                emit list->activated(item);
                if (periods->text() != QString::number(before))
                    return "the page shows Periods " + periods->text().toStdString() + " of a study of " +
                           std::to_string(before);
                typeOver(periods, QString::number(typed));
                return "";
            });
        const std::string detail = "average " + std::to_string(number) + " periods " +
                                   std::to_string(before) + " to " + std::to_string(typed) + ", " +
                                   answerName(answer);
        count("properties");
        EXPECT_EQ(trouble, "") << detail;
        const int after = studies.get16(study, frame::chart::kStudyPeriods, -1);
        EXPECT_EQ(after, answer == PageAnswer::Cancel ? before : typed)
            << "the study's Periods after " << detail;
        const LONG series = studies.get16(study, frame::chart::kStudySeriesIndex, -1);
        if (studies.get16(study, frame::chart::kStudyVisible, 0) != 0 && series >= 0)
            expectMovingAverage(series, after);
        return detail;
    }

    // At every visible point with `periods` closes up to it, the series is their plain mean.
    void expectMovingAverage(LONG series, int periods) {
        const LONG close = prices().close;
        std::string wrong;
        int compared = 0, mismatches = 0;
        for (const LONG point : visiblePoints({close})) {
            double sum = 0;
            bool whole = point + 1 >= periods;
            for (LONG back = point - periods + 1; whole && back <= point; ++back) {
                const std::optional<double> c = value(close, back);
                whole = c.has_value();
                sum += c.value_or(0);
            }
            if (!whole)
                continue;
            const double mean = sum / periods;
            const std::optional<double> shown = value(series, point);
            ++compared;
            if ((!shown || std::abs(*shown - mean) > 1e-9 * std::abs(mean)) && ++mismatches <= 3)
                wrong += " point " + std::to_string(point) + " shows " +
                         (shown ? std::to_string(*shown) : std::string("nothing")) + " for " +
                         std::to_string(mean) + ";";
        }
        if (compared == 0)
            return;
        count("study-periods");
        EXPECT_EQ(wrong, "") << mismatches << " of " << compared << " points of the average of " << periods
                             << " (series " << series << ") are not the mean of their closes";
    }

    // What a special chart type's page edit holds, read through the chart type's own object.
    double specialSetting(LONG type, int edit) {
        com::SHORT count = -1;
        if (edit == kBoxSizeEdit) {
            const std::optional<FirstBox> box = firstBoxOf(type);
            return box ? box->size : -1;
        }
        if (com::ComPtr<dravik::IPointFigure> figure;
            type == kPointFigureType && extension().get_PointAndFigure(figure.put()) == com::S_OK)
            figure->get_ReversalAmount(&count);
        else if (com::ComPtr<dravik::IThreeLineBreak> lines;
                 type == kThreeLineBreakType && extension().get_ThreeLineBreak(lines.put()) == com::S_OK)
            lines->get_BreakDays(&count);
        return count;
    }

    // The user types a new box size (per cent of the first close), reversal or lines to break on the
    // special chart's page and answers the frame: the chart type holds the typed value after Apply or
    // OK, its own after Cancel alone. The figure it then draws is judged by the checks after the step.
    std::string editSpecialChartPage(Rng& rng, LONG type, PageAnswer answer) {
        struct Page {
            LONG type;
            int dialogId, edit, highest;
            const char* name;
        };
        static constexpr Page kPages[] = {
            {kPointFigureType, 415, kBoxSizeEdit, 10, "box size"},
            {kPointFigureType, 415, kReversalEdit, 5, "reversal"},
            {kRenkoType, 421, kBoxSizeEdit, 10, "brick size"},
            {kKagiType, 423, kBoxSizeEdit, 10, "reversal amount"},
            {kThreeLineBreakType, 419, kBreakDaysEdit, 5, "lines to break"},
        };
        std::vector<const Page*> offered;
        for (const Page& page : kPages)
            if (page.type == type)
                offered.push_back(&page);
        if (offered.empty())
            return "(no page of chart type " + std::to_string(type) + ")";
        const Page& page = *offered[pick(rng, offered.size())];
        const double before = specialSetting(type, page.edit);
        int typed = static_cast<int>(before);
        while (typed == before)
            typed = 1 + static_cast<int>(pick(rng, static_cast<std::size_t>(page.highest)));
        const std::string trouble =
            onPropertyPage(page.dialogId, answer, [&](ui::Dialog& dialog) -> std::string {
                auto* edit = qobject_cast<QLineEdit*>(dialog.item(page.edit));
                if (edit == nullptr)
                    return std::string("the page has no ") + page.name;
                typeOver(edit, QString::number(typed));
                return "";
            });
        char detail[120];
        std::snprintf(detail, sizeof detail, "%s %g to %d, %s", page.name, before, typed, answerName(answer));
        count("special-page");
        EXPECT_EQ(trouble, "") << detail;
        EXPECT_EQ(specialSetting(type, page.edit), answer == PageAnswer::Cancel ? before : typed)
            << "the chart type's " << detail;
        return detail;
    }

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
