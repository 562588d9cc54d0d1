// The chart settings window in the assembled frame: the real chart control with the financial
// extension on a market database, the window's controls driven as the user drives them.
#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QToolBar>

#include <algorithm>
#include <filesystem>
#include <optional>

#include "ChartWindowFixture.h"
#include "frame/chart/ExtensionCalls.h"
#include "frame/frmChartSettings.h"

class ChartSettingsTest : public ChartWindowTest {
protected:
    void addWindows(frame::FrameHooks& hooks) override {
        frame::ConnectChartSettings(hooks, [this] { return m_frame.get(); });
    }

    frame::frmChartSettings& settings() {
        return *static_cast<frame::frmChartSettings*>(
            m_frame->toolWindow(QStringLiteral("frmChartSettings")));
    }
    template <class Widget>
    Widget* control(const char* name) {
        return static_cast<Widget*>(settings().controlWidget(QString::fromLatin1(name)));
    }

    // What the user does.
    void choose(const char* list, int index) {
        auto* combo = control<QComboBox>(list);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    void click(const char* box) { control<QAbstractButton>(box)->click(); }
    void type(const QString& text) { control<QLineEdit>("txtSymbol")->setText(text); }
    void pressEnter() {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QCoreApplication::sendEvent(control<QLineEdit>("txtSymbol"), &press);
    }
    void pressButton(const char* key) {
        for (QAction* action : control<QToolBar>("Toolbar1")->actions())
            if (action->objectName() == QLatin1String(key))
                action->trigger();
    }

    dravik::IFinancialCharts& ext() { return *window().financialExtension(); }
    bool overlayShown(frame::chart::Study overlay) {
        frame::chart::ExtensionStudySlots studies(&ext());
        com::ComPtr<com::IUnknown> object;
        com::ComPtr<dravik::IIndex> study;
        com::HRESULT (dravik::IFinancialCharts::*getter)(dravik::IIndex**) =
            overlay == frame::chart::Study::USER1 ? &dravik::IFinancialCharts::get_USER1
                                                  : &dravik::IFinancialCharts::get_USER2;
        EXPECT_EQ((ext().*getter)(study.put()), com::S_OK);
        com::VARIANT_BOOL visible = com::VARIANT_FALSE;
        EXPECT_EQ(study->get_Visible(&visible), com::S_OK);
        return visible != com::VARIANT_FALSE;
    }
    // The chart's points that have a close (the fill adds empty days up to the present).
    std::int32_t points() {
        const auto& closes = window().chartFill()->Data().values[tarnwick::chart::kCloseColumn];
        return static_cast<std::int32_t>(
            std::count_if(closes.begin(), closes.end(), tarnwick::chart::IsChartValue));
    }

    std::filesystem::path templateFile(std::int32_t id) const {
        return m_home / "Templates" / ("T" + std::to_string(id));
    }
    std::optional<std::string> storedTemplateName(std::int32_t id) {
        const db::RowSet rows =
            tarnwick::gConnection.query(R"(SELECT "NAME" FROM "Templates" WHERE "ID" = ?)", {id});
        return rows.eof() ? std::nullopt : rows.text(0);
    }
    QStringList listedTemplates() {
        QStringList names;
        auto* combo = control<QComboBox>("cmbTemplates");
        for (int i = 0; i < combo->count(); ++i)
            names << combo->itemText(i);
        return names;
    }
    QString shownTemplate() {
        auto* combo = control<QComboBox>("cmbTemplates");
        return combo->currentIndex() < 0 ? combo->placeholderText() : combo->currentText();
    }
    void saveAsNewTemplate(const QString& name) {
        m_script.answerInput(name);
        pressButton("SaveAsNewTemplate");
    }

    // The look a template brings and the volume drawing that a load keeps.
    struct Look {
        com::SHORT periods = 0;
        com::SHORT priceDisplay = 0;
        com::SHORT volumeDrawing = 0;
        bool operator==(const Look&) const = default;
    };
    Look look() {
        Look l;
        com::ComPtr<dravik::IIndex> average;
        EXPECT_EQ(ext().get_SimpleMA50(average.put()), com::S_OK);
        EXPECT_EQ(average->get_Periods(&l.periods), com::S_OK);
        EXPECT_EQ(ext().get_PriceDisplay(&l.priceDisplay), com::S_OK);
        frame::chart::ExtensionStudySlots studies(&ext());
        EXPECT_EQ(frame::chart::seriesOf(studies, frame::chart::Study::VOLUME)->get_VOLUME(&l.volumeDrawing),
                  com::S_OK);
        return l;
    }
    void setLook(const Look& l) {
        com::ComPtr<dravik::IIndex> average;
        ASSERT_EQ(ext().get_SimpleMA50(average.put()), com::S_OK);
        ASSERT_EQ(average->put_Periods(l.periods), com::S_OK);
        ASSERT_EQ(ext().put_PriceDisplay(l.priceDisplay), com::S_OK);
        frame::chart::ExtensionStudySlots studies(&ext());
        ASSERT_EQ(frame::chart::seriesOf(studies, frame::chart::Study::VOLUME)->put_VOLUME(l.volumeDrawing),
                  com::S_OK);
    }
};
