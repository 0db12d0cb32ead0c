// The file merge tool "ファイル結合" bound to its model.
#pragma once

#include "core/windows/file_merge/file_merge_window.h"
#include "platform/windows/window_view.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

class FileMergeView : public WindowView {
public:
    FileMergeView(FileMergeWindow& model, QWidget* parent = nullptr);

protected:
    void showModel() override;
    void resizeEvent(QResizeEvent* e) override;

private:
    FileMergeWindow& model_;
    QGroupBox* frame2_;
    QRadioButton* option3_;
    QRadioButton* option4_;
    QListWidget* file1_;
    QLabel* label4_;
    QPushButton* command4_;
    QListWidget* list1_;
    QPlainTextEdit* text3_;
    QPushButton* command3_;
    QLineEdit* text1_;
    QLabel* label1_;
    QGroupBox* frame1_;
    QRadioButton* option1_;
    QRadioButton* option2_;
    QLineEdit* text2_;
    QLabel* label2_;
    QLabel* label3_;
    QPushButton* command1_;
    QPushButton* command2_;
};
