// The parameter dialogs of the configurable drawings: the Gann fan's nine angles, the three levels of
// the Fibonacci arcs and fan, and the six levels of the Fibonacci retracements. The dialog edits the
// drawing's extra bytes (see drawing/DrawingKind.h) through its IDrawFeature object only.
//
// A Gann angle is shown in degrees (the stored value is its slope); a Fibonacci level as a percentage
// (the stored value is its ratio). OK writes the values back only when an edit changed; Cancel and an
// unchanged OK write nothing. A drawing whose extra bytes do not have its kind's size is left alone.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include <QPointer>
#include <QString>

#include "com/ComPtr.h"
#include "dravik/DrawingInterfaces.h"
#include "ui/Dialog.h"

namespace dravik {

// The first edit of a parameter dialog; edit n shows level n. The Gann dialog starts one earlier.
inline constexpr int kFirstLevelEdit = 572;
inline constexpr int kFirstGannEdit = 571;
// Longest text read from a level edit.
inline constexpr int kLevelTextChars = 20;
// Dialog results: OK with a change, anything else.
inline constexpr int kParametersChanged = 1;
inline constexpr int kParametersUnchanged = 2;

// What a kind's dialog looks like; none for a kind without parameters.
struct ParameterDialogShape {
    int dialogId = 0;
    const char* title = "";
    int firstEdit = 0;
    std::vector<const char*> labels;  // one per level
};
std::optional<ParameterDialogShape> DrawingParameterShape(int kind);

// The texts the edits show for a drawing's extra bytes, in the user's decimal separator `decimal`;
// none when the bytes do not have the kind's layout.
std::optional<std::vector<QString>> DrawingParameterTexts(int kind, std::span<const std::uint8_t> bytes,
                                                          std::string_view decimal);
// Writes edited texts into the bytes: a Gann angle is brought into one turn and stored as its slope; a
// Fibonacci percentage is limited to 0..100 and stored as a ratio (a retracement level also gets the
// percentage as its label). A text that gives no finite number, or that is still the text `shown` for
// its level (when given), leaves its level as it was: the rounded text would change the value. False,
// and nothing written, when the bytes do not have the kind's layout or the texts are not one per level.
bool StoreDrawingParameterTexts(int kind, std::span<const QString> texts, std::vector<std::uint8_t>& bytes,
                                std::string_view decimal, std::span<const QString> shown = {});

class CDrawingParametersDialog final : public ui::DialogHandler {
public:
    // Null when `kind` (the drawing's) has no parameters.
    static std::unique_ptr<CDrawingParametersDialog> Create(IDrawFeature& feature, int kind);

    // Runs the dialog modally over `parent`; kParametersChanged or kParametersUnchanged.
    int Run(QWidget* parent);
    // Builds and initialises the window without running it, for a caller that drives it itself; the
    // dialog ends (and gives its result) when OK or Cancel is clicked.
    ui::Dialog* Open(QWidget* parent);
    int result() const { return result_; }
    ~CDrawingParametersDialog() override;

protected:
    bool onInitDialog(ui::Dialog& dialog) override;
    bool onCommand(ui::Dialog& dialog, int id, int code) override;

private:
    CDrawingParametersDialog(IDrawFeature& feature, int kind, ParameterDialogShape shape);
    ui::Dialog* build(QWidget* parent);
    std::optional<std::vector<std::uint8_t>> readBytes() const;
    bool writeBytes(const std::vector<std::uint8_t>& before, const std::vector<std::uint8_t>& after);
    void finish(ui::Dialog& dialog);

    com::ComPtr<IDrawFeature> feature_;
    int kind_;
    ParameterDialogShape shape_;
    std::vector<QString> shown_;
    QPointer<ui::Dialog> dialog_;
    bool changed_ = false;
    bool loading_ = false;
    int result_ = kParametersUnchanged;
};

// Runs the parameter dialog of a configurable drawing; true when the user changed its parameters.
bool RunDrawingParametersDialog(IDrawFeature& feature, int kind, QWidget* parent);

}  // namespace dravik
