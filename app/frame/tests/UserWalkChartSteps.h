// The user walk's steps on what the chart shows beside its figure: the chart's property pages (a
// moving average's periods, the special charts' boxes and lines), the chart saved as a picture and
// copied, and the data editor's rows; each checked against the screen or the database.
#pragma once

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QRect>
#include <QTabWidget>

#include "UserWalkSteps.h"
#include "dravik/ChartTypeInterfaces.h"
#include "frame/chart/ChartEvents.h"
#include "frame/chart/ExtensionCalls.h"
#include "frame/data/frmDataEditor.h"
#include "ui/Dialog.h"
#include "ui/PropertyFrame.h"

namespace userwalk {

class UserWalkChartSteps : public UserWalkSteps {
protected:
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

    // Whether the screen may show at (x, y) what a picture of the chart leaves out: a drawing's
    // selection handles and its highlight under the mouse are the screen's alone, so the pixels within
    // 6 of a drawing's line are not compared.
    std::function<bool(int, int)> nearDrawing() {
        constexpr double kReach = 6;
        return [lines = drawnLines()](int x, int y) {
            for (const auto& [a, b] : lines) {
                if (!QRect(a, b).normalized().adjusted(-6, -6, 6, 6).contains(x, y))
                    continue;
                const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
                const double away = length == 0 ? std::hypot(x - a.x(), y - a.y())
                                                : std::fabs(double(b.x() - a.x()) * (y - a.y()) -
                                                            double(b.y() - a.y()) * (x - a.x())) /
                                                      length;
                if (away <= kReach)
                    return true;
            }
            return false;
        };
    }
    // A GIF holds each channel at the nearest of 0, 64, 128, 192 and 255; a value half-way between two
    // takes the lower one.
    static QRgb gifColour(QRgb c) {
        const auto level = [](int v) {
            return v <= 32 ? 0 : v <= 96 ? 64 : v <= 160 ? 128 : v <= 223 ? 192 : 255;
        };
        return qRgb(level(qRed(c)), level(qGreen(c)), level(qBlue(c)));
    }
    static QRgb sameColour(QRgb c) { return c | 0xFF000000u; }
    // "" when `picture` is the screen's picture of the chart, every pixel of it (the screen's colour
    // passed through `mapped`), else what differs.
    std::string pictureDiffers(const QImage& screen, const QImage& picture, QRgb (*mapped)(QRgb)) {
        if (picture.isNull())
            return "no picture";
        if (picture.size() != screen.size())
            return "a picture of " + std::to_string(picture.width()) + "x" +
                   std::to_string(picture.height()) + ", the screen's is " + std::to_string(screen.width()) +
                   "x" + std::to_string(screen.height());
        const QImage shown = picture.convertToFormat(QImage::Format_RGB32);
        const auto skipped = nearDrawing();
        int differ = 0;
        std::string first;
        for (int y = 0; y < screen.height(); ++y)
            for (int x = 0; x < screen.width(); ++x)
                if (mapped(screen.pixel(x, y)) != shown.pixel(x, y) && !skipped(x, y) && differ++ == 0) {
                    char text[80];
                    std::snprintf(text, sizeof text, " (the first at %d,%d: %06x, the screen's %06x)", x, y,
                                  shown.pixel(x, y) & 0xFFFFFFu, screen.pixel(x, y) & 0xFFFFFFu);
                    first = text;
                }
        return differ == 0 ? "" : std::to_string(differ) + " pixels differ" + first;
    }
    static bool metafileBytes(const QByteArray& bytes) {
        return bytes.size() >= 44 && bytes[0] == 1 && bytes[1] == 0 && bytes.mid(40, 4) == " EMF";
    }
    // The user saves the chart as a picture through the chart settings window's button or the menu,
    // in turn as a bitmap, a GIF and a metafile, or cancels the save dialog now and then.
    std::string saveImage(Rng& rng) {
        static const char* const kFormats[] = {"bmp", "gif", "EMF"};
        const bool byMenu = pick(rng, 2) == 0;
        const bool cancel = pick(rng, 6) == 0;
        QAction* command = nullptr;
        if (byMenu)
            command = chartWindow().menuAction(QStringLiteral("mnuSaveChart"));
        else
            for (QAction* action : settingsControl<QToolBar>("Toolbar1")->actions())
                if (action->objectName() == QLatin1String("SaveAsImage"))
                    command = action;
        const std::string how = byMenu ? "menu" : "button";
        if (command == nullptr || !command->isEnabled()) {
            ADD_FAILURE() << "no save-as-image command by the " << how;
            return how;
        }
        const char* format = kFormats[m_pictures % 3];
        // Walks run side by side share the temporary folder: the name carries the process's id.
        const QString file =
            QString::fromStdString(::testing::TempDir()) + QStringLiteral("walk-chart-%1-%2.%3")
                                                               .arg(QCoreApplication::applicationPid())
                                                               .arg(++m_pictures)
                                                               .arg(QLatin1String(format));
        QFile::remove(file);
        const std::size_t asked = m_script.questions().size();
        m_script.answerFile({!cancel, file, 2});
        const QImage screen = onScreen();
        command->trigger();
        processEvents();
        count("save-image");
        int dialogs = 0, messages = 0;
        for (std::size_t q = asked; q < m_script.questions().size(); ++q) {
            const ui::ScriptedModalServices::Question& question = m_script.questions()[q];
            dialogs += question.kind == ui::ScriptedModalServices::Kind::SaveFile ? 1 : 0;
            messages += question.kind == ui::ScriptedModalServices::Kind::MessageBox ? 1 : 0;
        }
        EXPECT_EQ(dialogs, 1) << "the save dialog did not show";
        EXPECT_EQ(messages, 0) << "saving the chart showed a message";
        const std::string done = how + (cancel ? " cancelled" : " " + std::string(format));
        if (cancel) {
            EXPECT_FALSE(QFile::exists(file)) << "a cancelled save wrote " << file.toStdString();
            return done;
        }
        QFile written(file);
        EXPECT_TRUE(written.open(QIODevice::ReadOnly)) << "no file " << file.toStdString();
        const QByteArray bytes = written.readAll();
        written.close();
        QFile::remove(file);
        if (format == std::string("EMF")) {
            EXPECT_TRUE(metafileBytes(bytes)) << "the .EMF file is no metafile";
            return done;
        }
        QImage picture;
        picture.loadFromData(bytes, format);
        // The GIF's colours are the screen's reduced the way its fixed palette reduces them.
        EXPECT_EQ(pictureDiffers(screen, picture, format == std::string("gif") ? gifColour : sameColour), "")
            << "the saved " << format << " against the screen";
        return done;
    }

    // The user copies the chart from the chart's bar: its Copy button, or Copy's As a Bitmap or As a
    // Metafile; the clipboard then holds the screen's picture of the chart.
    std::string copyChart(Rng& rng) {
        static const LONG kCopies[] = {korvel::kCommandCopy, korvel::kCommandCopyBitmap,
                                       korvel::kCommandCopyMetafile};
        const LONG id = kCopies[pick(rng, std::size(kCopies))];
        QAction* command = findCommandAction(widget().toolBar()->actions(), static_cast<com::SHORT>(id));
        if (command == nullptr || !command->isEnabled()) {
            ADD_FAILURE() << "the chart's bar offers no copy command " << id;
            return std::to_string(id);
        }
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        const QImage screen = onScreen();
        command->trigger();
        processEvents();
        count("copy");
        const QMimeData* data = clipboard->mimeData();
        EXPECT_TRUE(data != nullptr && data->hasImage())
            << "the clipboard holds no picture after copy " << id;
        if (data == nullptr || !data->hasImage())
            return std::to_string(id);
        EXPECT_EQ(pictureDiffers(screen, clipboard->image(), sameColour), "") << "the copied picture";
        if (id == korvel::kCommandCopyMetafile) {
            EXPECT_TRUE(metafileBytes(data->data(QStringLiteral("image/x-emf"))))
                << "As a Metafile put no metafile on the clipboard";
        }
        return std::to_string(id);
    }

    // --- The data editor ------------------------------------------------------------------------

    // A value as the editor writes it: rounded to 3 decimals, without trailing zeros.
    static std::string threeDecimals(double value) {
        char text[64];
        std::snprintf(text, sizeof text, "%.3f", value);
        std::string shown = text;
        while (shown.back() == '0')
            shown.pop_back();
        if (shown.back() == '.')
            shown.pop_back();
        return shown == "-0" ? "0" : shown;
    }
    // Whether `shown` writes `value`: a value a rounding error away from half a thousandth may go
    // either way.
    static bool writes(const std::string& shown, double value) {
        return shown == threeDecimals(value) || shown == threeDecimals(value * (1 + 1e-12)) ||
               shown == threeDecimals(value * (1 - 1e-12));
    }
    struct EditorRow {
        std::string iso;                     // the point's date: the day, a week's Thursday, a month's 15th
        double values[5] = {0, 0, 0, 0, 0};  // open, high, low, close, volume
    };
    // The charted company's rows from the period's start on, grouped as the chart's interval groups
    // them (Sunday to Saturday, dated on the Thursday; a month, dated on its 15th): the first open, the
    // highest high, the lowest low, the last close and the sum of the volumes, each day's prices divided
    // and its volume multiplied by the ratios of the later splits of the period when adjustment is on.
    // An index's volume is its day's amount traded, but the sum of its shares by week and month.
    std::vector<EditorRow> editorModel() {
        using namespace std::chrono;
        const std::int32_t company = chartedCompany();
        const frame::frmMain::ChartChoices& choices = chartWindow().chartChoices();
        const std::string start = periodStart();
        std::vector<std::pair<std::string, double>> splits;
        if (choices.adjusted != 0)
            for (
                db::RowSet rows = database().query(
                    R"(SELECT substr("SPLITDATE", 1, 10), "Ratio" FROM "Split" WHERE "COMPANYID" = ? AND "isDELETED" = 0)",
                    {company});
                !rows.eof(); rows.moveNext())
                if (rows.textOrEmpty(0) >= start)
                    splits.emplace_back(rows.textOrEmpty(0), rows.real(1));
        db::RowSet kind = database().query(R"(SELECT "IS_INDEX" FROM "Company" WHERE "ID" = ?)", {company});
        const bool index = !kind.eof() && kind.int32(0) != 0;
        std::vector<EditorRow> model;
        for (
            db::RowSet rows = database().query(
                R"(SELECT substr("DATE", 1, 10), "OpeningPrice", "MaxPrice", "MinPrice", "ClosingPrice", "TotalShares", "TotalAmount" FROM )" +
                    dailyTable(company) +
                    R"( WHERE "COMPANYID" = ? AND "isDELETED" = 0 AND substr("DATE", 1, 10) >= ? ORDER BY "DATE")",
                {company, start});
            !rows.eof(); rows.moveNext()) {
            const std::string day = rows.textOrEmpty(0);
            double factor = 1;
            for (const auto& [date, ratio] : splits)
                if (day < date)
                    factor *= ratio;
            const sys_days date =
                sys_days(year{1899} / December / 30) + days(static_cast<int>(oleDateOf(day)));
            std::string iso = day;
            if (choices.interval == 1)
                iso = isoDate(oleDateOf(day) - weekday(date).c_encoding() + 4);
            else if (choices.interval == 2)
                iso = day.substr(0, 8) + "15";
            const double open = rows.real(1) / factor, high = rows.real(2) / factor,
                         low = rows.real(3) / factor, close = rows.real(4) / factor,
                         volume = index && choices.interval == 0 ? rows.real(6) : rows.real(5) * factor;
            if (model.empty() || model.back().iso != iso) {
                model.push_back({iso, {open, high, low, close, volume}});
                continue;
            }
            double* v = model.back().values;
            v[1] = std::max(v[1], high);
            v[2] = std::min(v[2], low);
            v[3] = close;
            v[4] += volume;
        }
        return model;
    }

    static constexpr const char* kDataEditorKey = "frmDataEditor";
    // The chart bar's Data Editor button, which shows the editor while it is down.
    QAction* dataEditorButton() {
        return findCommandAction(widget().toolBar()->actions(),
                                 static_cast<com::SHORT>(frame::chart::kCommandDataEditor));
    }

    // The user shows the data editor with the chart bar's button (or brings its tab to the front),
    // clicks one of its column headers, and reads every row: each is the database's, as many as the
    // chart's trading points, in the order clicked. Half the time the editor is hidden again, by the
    // button or by closing its window.
    std::string showDataEditor(Rng& rng) {
        const QString key = QString::fromLatin1(kDataEditorKey);
        frame::ToolWindowHost& dock = frameWindow().TabDock();
        // The bar makes its buttons again after a command: each look finds the button anew.
        const auto button = [this] { return dataEditorButton(); };
        if (button() == nullptr || !button()->isEnabled()) {
            ADD_FAILURE() << "the chart's bar has no Data Editor button";
            return "";
        }
        if (!dock.isShown(key))
            button()->trigger();
        processEvents();
        dock.activateForm(key);
        processEvents();
        frame::frmDataEditor* editor = frame::DataEditorOf(&frameWindow());
        EXPECT_TRUE(editor != nullptr && dock.isOnScreen(key)) << "the data editor does not show";
        EXPECT_TRUE(button() != nullptr && button()->isChecked())
            << "the Data Editor button is not down while the editor shows";
        if (editor == nullptr || !dock.isOnScreen(key))
            return "";
        // A new window (after a restart) sorts ascending at its first click, then in turn.
        if (m_editor != editor) {
            m_editor = editor;
            m_editorClicks = 0;
        }
        QTreeWidget* list = editor->lsvData();
        QHeaderView* header = list->header();
        const int column = static_cast<int>(pick(rng, 6));
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        sendMouse(header->viewport(), QEvent::MouseButtonPress, at, Qt::LeftButton);
        sendMouse(header->viewport(), QEvent::MouseButtonRelease, at, Qt::LeftButton);
        processEvents();
        const bool ascending = ++m_editorClicks % 2 == 1;
        EXPECT_TRUE(header->isSortIndicatorShown()) << "no sort indicator after a click on column " << column;
        EXPECT_EQ(header->sortIndicatorSection(), column) << "the header clicked";
        EXPECT_EQ(header->sortIndicatorOrder(), ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
        const int compared = checkDataEditor(*list, column, ascending);
        const std::string done = std::to_string(column) + (ascending ? " ascending, " : " descending, ") +
                                 std::to_string(compared) + " rows";
        switch (pick(rng, 4)) {
            case 0:
                button()->trigger();
                processEvents();
                EXPECT_FALSE(dock.isShown(key)) << "the Data Editor button left the editor shown";
                return done + ", hidden by the button";
            case 1:
                dock.dock(key)->close();
                processEvents();
                EXPECT_FALSE(button() != nullptr && button()->isChecked())
                    << "the Data Editor button stays down after the editor closed";
                return done + ", closed";
            default:
                return done;
        }
    }

    // Every listed row against the model, by its date; the count against the model and the chart's
    // points with a close; the order against the column clicked. Returns the rows compared.
    int checkDataEditor(QTreeWidget& list, int column, bool ascending) {
        const std::vector<EditorRow> model = editorModel();
        std::map<std::string, const EditorRow*> byDate;
        for (const EditorRow& row : model)
            byDate[shownDate(row.iso)] = &row;
        const std::string where = "company " + std::to_string(chartedCompany()) + ", interval " +
                                  std::to_string(chartWindow().chartChoices().interval) + ", adjusted " +
                                  std::to_string(chartWindow().chartChoices().adjusted);
        EXPECT_EQ(list.topLevelItemCount(), static_cast<int>(model.size())) << "the editor's rows, " << where;
        // A special chart's points are its figure's; the analytical chart's are the trading points and
        // the empty days after them.
        LONG type = -1;
        chart().get_ChartType(&type);
        if (type == kAnalyticalType) {
            const Prices p = prices();
            LONG trading = 0;
            for (LONG point = 0; point < chartObject().model().pointCount(); ++point)
                trading += value(p.close, point) ? 1 : 0;
            EXPECT_EQ(list.topLevelItemCount(), trading)
                << "the editor's rows against the chart's trading points";
        }
        static const char* const kColumns[] = {"open", "high", "low", "close", "volume"};
        std::vector<const EditorRow*> listed;
        std::string wrong;
        for (int i = 0; i < list.topLevelItemCount() && wrong.size() < 600; ++i) {
            const QTreeWidgetItem* item = list.topLevelItem(i);
            const std::string date = unisolated(item->text(0));
            const auto found = byDate.find(date);
            if (found == byDate.end() || found->second == nullptr) {
                wrong += " row " + std::to_string(i) + ": " + date + " is no trading point or listed twice;";
                continue;
            }
            listed.push_back(found->second);
            for (int c = 0; c < 5; ++c)
                if (const std::string shown = unisolated(item->text(1 + c));
                    !writes(shown, found->second->values[c]))
                    wrong += " " + date + " " + kColumns[c] + " " + shown + ", the database's " +
                             threeDecimals(found->second->values[c]) + ";";
            found->second = nullptr;
        }
        count("data-editor");
        m_counts["data-editor-rows"] += list.topLevelItemCount();
        EXPECT_EQ(wrong, "") << "the data editor against the database, " << where;
        // Sorted by the column's text, the date by the day it stands for.
        for (int i = 1; i < list.topLevelItemCount() && column > 0; ++i) {
            // The texts as written, without the isolates round a cell of a right-to-left list.
            const int order = QString::compare(
                QString::fromStdString(unisolated(list.topLevelItem(i - 1)->text(column))),
                QString::fromStdString(unisolated(list.topLevelItem(i)->text(column))), Qt::CaseInsensitive);
            if (ascending ? order > 0 : order < 0) {
                ADD_FAILURE() << "rows " << i - 1 << " and " << i << " out of order by column " << column;
                break;
            }
        }
        for (std::size_t i = 1; i < listed.size() && column == 0; ++i)
            if (ascending ? listed[i - 1]->iso > listed[i]->iso : listed[i - 1]->iso < listed[i]->iso) {
                ADD_FAILURE() << "rows " << i - 1 << " and " << i << " out of date order";
                break;
            }
        return list.topLevelItemCount();
    }
    int m_pictures = 0;  // pictures saved, for a name of each one's own
    QPointer<frame::frmDataEditor> m_editor;
    int m_editorClicks = 0;  // header clicks in that window
};

}  // namespace userwalk
