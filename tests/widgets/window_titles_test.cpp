// Every window id has its model, and its view is announced by the model's title: the main
// window's table and the view factory hold every window, each in its place.
#include <QtTest>

#include "editing_window.h"
#include "memory_results_store.h"
#include "platform/windows/window_view.h"

class WindowTitlesTest : public QObject {
    Q_OBJECT

private slots:
    void everyWindowIsAnnouncedByItsModelsTitle() {
        const std::pair<WindowId, const char*> windows[] = {
            {WindowId::TracingColor, "色設定"},
            {WindowId::Company, "教科書会社の選択"},
            {WindowId::KanaPosition, "かな印字位置調整"},
            {WindowId::ManuscriptPaper, "原稿用紙-クリックで印刷"},
            {WindowId::RuledPaper, "罫線用紙印刷"},
            {WindowId::TextFlow, "文章流し込み"},
            {WindowId::DataEdit, "データ修正ツール"},
            {WindowId::FileMerge, "ファイル結合"},
            {WindowId::Password, "パスワード"},
            {WindowId::ButtonHelp, "ボタンの説明"},
            {WindowId::DataCreationHelp, "データ作成の説明"},
            {WindowId::TestBuilder, "テスト作成"},
        };
        QCOMPARE(std::size(windows), kWindowCount);
        EditingWindow w;
        w.model.testBuilderWindow.openResults = [](QString*) -> std::unique_ptr<ResultsStore> {
            return std::make_unique<MemoryResultsStore>();
        };
        for (const auto& [id, expected] : windows) {
            const QString title = QString::fromUtf8(expected);
            const WindowModel& model = w.model.window(id);
            QCOMPARE(static_cast<int>(model.id()), static_cast<int>(id));
            QCOMPARE(model.title(), title);
            w.model.handle([&, id = id] { w.model.openWindow(id); });
            WindowView* view = w.view.windowView(id);
            QVERIFY2(view, expected);
            QCOMPARE(view->windowTitle(), title);
            QCOMPARE(view->accessibleName(), title);
            w.model.handle([&, id = id] { w.model.closeWindow(id); });
        }
    }
};

QTEST_MAIN(WindowTitlesTest)
#include "window_titles_test.moc"
