// The window "テスト作成" bound to its model: the scope of a test (pages, a grade, kanji),
// its count, heading and seed, 作成; then 採点 of the page on screen (○/× by keyboard:
// Space turns a mark, X marks wrong, O marks right), 記録 and 復習.
#pragma once

#include <memory>

#include "core/windows/test_builder/test_builder_window.h"
#include "platform/windows/window_view.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;

// The user's own results file ($XDG_DATA_HOME/jirakubo/results.sqlite), as the window opens it.
std::unique_ptr<ResultsStore> openUserResults(QString* message);

class TestBuilderView : public WindowView {
public:
    TestBuilderView(TestBuilderWindow& model, QWidget* parent);

protected:
    void showModel() override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TestBuilderWindow& model_;
    QRadioButton* byPages_ = nullptr;
    QRadioButton* byGrade_ = nullptr;
    QRadioButton* byKanji_ = nullptr;
    QListWidget* pages_ = nullptr;
    QComboBox* grade_ = nullptr;
    QLineEdit* kanji_ = nullptr;
    QSpinBox* count_ = nullptr;
    QLineEdit* heading_ = nullptr;
    QLineEdit* seed_ = nullptr;
    QComboBox* class_ = nullptr;
    QLineEdit* student_ = nullptr;
    QLabel* scoredHeading_ = nullptr;
    QListWidget* marks_ = nullptr;
    QLabel* status_ = nullptr;
};
