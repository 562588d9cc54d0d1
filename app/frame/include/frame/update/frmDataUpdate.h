// The data update window: a thin shell over DataUpdateModel that shows the model's state in the
// designed controls. It is not modal; closing it is refused while the answer is being stored.
#pragma once

#include <QDialog>

#include "frame/FormModel.h"
#include "frame/update/DataUpdateModel.h"

class QMovie;

namespace frame {

class Form;

class frmDataUpdate : public QDialog {
public:
    explicit frmDataUpdate(QWidget* parent = nullptr, DataUpdateLinks links = {});
    ~frmDataUpdate() override;

    static FormModel design();

    // Starts a run with the hourglass shown while the request is set up.
    void Start();

    DataUpdateModel& model() { return model_; }
    Form& form() { return *form_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void placePicturesOverAnimation();
    void refresh();
    void showAnimation(const QString& clip);

    DataUpdateModel model_;
    Form* form_ = nullptr;
    QMovie* movie_ = nullptr;
};

// The entry point of the data menu's update command and the update tool button: shows the update
// window over `frame` (not modal) and starts a run. When an update window is open already, it is
// brought to the front and no run starts. The window deletes itself when closed.
frmDataUpdate* ShowDataUpdate(QWidget* frame, DataUpdateLinks links = {});

}  // namespace frame
