// The help window "データ作成の説明" bound to its model: pictures of the main window with the
// numbers of the steps standing at the controls they name.
#pragma once

#include <functional>

#include "core/windows/help/data_creation_help_window.h"
#include "platform/windows/window_picture.h"
#include "platform/windows/window_view.h"

class QLabel;
class QPushButton;

class DataCreationHelpView : public WindowView {
public:
    // Renders the main window as it is now, e.g. widgetPicture(mainWindow): the places of
    // its controls keyed by design name ("Combo1", "Text1", "Toolbar1_1" ...).
    using PictureSource = std::function<WindowPicture()>;

    DataCreationHelpView(DataCreationHelpWindow& model, PictureSource mainWindow, QWidget* parent = nullptr);
    void updatePictures();

    // Largest a picture is shown, in pixels.
    static constexpr int kPictureWidth = 480;
    static constexpr int kPictureHeight = 320;

protected:
    void showModel() override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void showPicture(QLabel* image, const WindowPicture& picture, const std::vector<StepMarker>& markers);

    DataCreationHelpWindow& model_;
    PictureSource source_;
    QLabel* image1_;
    QLabel* image2_;
    QLabel* image3_;
    std::vector<QLabel*> steps_;
    QPushButton* command1_;
    QPushButton* command2_;
};
