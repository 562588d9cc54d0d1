// What the drawing page, the dialog that confirms a new drawing and the drawings' parameter dialogs
// need from the extension object whose drawings they edit: the drawings, the owner's own interface (its
// Options word and series mapping), the chart it is attached to, and what the work-series list shows.
// Not a COM interface; the extension object implements it.
#pragma once

namespace korvel {
struct IKvlExtensionSite;
}

namespace dravik {

class CDrawingFeatures;
class CHostChartAdapter;
class IDrawingOwner;
struct IFinancialCharts;
struct SeriesBinding;
struct StudyRecord;

class IDrawingPageOwner {
public:
    // The drawings with the objects handed out over them, and what the drawings see of the owner (date
    // scale and formats, repaint, command texts).
    virtual CDrawingFeatures& PageDrawings() = 0;
    virtual IDrawingOwner& PageDrawingOwner() = 0;
    // The owner's COM interface.
    virtual IFinancialCharts& PageExtension() = 0;
    // The site and the adapter of the current attachment; null while detached.
    virtual korvel::IKvlExtensionSite* PageSite() = 0;
    virtual CHostChartAdapter* PageAdapter() = 0;
    // Which chart series hold the prices and the user series, and study record 0-57 (null outside).
    virtual const SeriesBinding& PageSeriesBinding() = 0;
    virtual const StudyRecord* PageStudyRecord(int study) = 0;
    // The list index of the drawing the analytical chart has selected; -1 none.
    virtual int PageSelectedDrawing() = 0;

protected:
    ~IDrawingPageOwner() = default;
};

}  // namespace dravik
