// The data edit tool "データ修正ツール" bound to its model.
#pragma once

#include "core/windows/data_edit/data_edit_window.h"
#include "platform/windows/window_view.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class DataEditView : public WindowView {
public:
    DataEditView(DataEditWindow& model, QWidget* parent = nullptr);

    QPlainTextEdit* textBox() const { return txtMain_; }

protected:
    void showModel() override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QPushButton* button(const QString& name);
    // Tells the model the text box's text and selection.
    void takeTextBox();

    DataEditWindow& model_;
    QLabel* label1_;
    QLabel* label2_;
    QPlainTextEdit* txtMain_;
    QLineEdit* text1_;
    QLineEdit* text2_;
    QComboBox* combo1_;
    QPushButton* command1_;
    QPushButton* command4_;
    QPushButton* command3_;
    QPushButton* command5_;
    QPushButton* comOpen_;
    QPushButton* comSave_;
    QPushButton* comSaveas_;
    QPushButton* command2_;
    bool refreshing_ = false;
};
