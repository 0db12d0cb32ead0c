#include "platform/windows/window_picture.h"

#include <QAction>
#include <QLayout>
#include <QTemporaryDir>
#include <QToolBar>
#include <QWidget>

#include "core/windows/main/main_window.h"
#include "platform/main_window_view.h"
#include "platform/qt_platform.h"

WindowPicture toolbarPicture(const QToolBar& source) {
    QToolBar copy;
    copy.setAttribute(Qt::WA_DontShowOnScreen);
    copy.setIconSize(source.iconSize());
    copy.setToolButtonStyle(source.toolButtonStyle());
    copy.setFont(source.font());
    copy.setPalette(source.palette());
    copy.setStyleSheet(source.styleSheet());
    copy.setMovable(false);
    for (QAction* a : source.actions()) {
        if (a->isSeparator()) {
            copy.addSeparator();
            continue;
        }
        QAction* c = copy.addAction(a->icon(), a->text());
        c->setObjectName(a->objectName());
        c->setToolTip(a->toolTip());
    }
    copy.show();
    copy.resize(copy.sizeHint());
    if (copy.layout()) copy.layout()->activate();

    WindowPicture picture;
    for (QAction* c : copy.actions()) {
        if (c->objectName().isEmpty()) continue;
        if (QWidget* w = copy.widgetForAction(c); w && w->isVisible())
            picture.places.insert(c->objectName(), w->geometry());
    }
    picture.pixmap = copy.grab();
    return picture;
}

WindowPicture widgetPicture(QWidget& window) {
    WindowPicture picture;
    auto place = [&](const QString& name, QWidget* w) {
        if (name.isEmpty() || picture.places.contains(name) || !w->isVisibleTo(&window)) return;
        picture.places.insert(name, QRect(w->mapTo(&window, QPoint(0, 0)), w->size()));
    };
    for (QWidget* w : window.findChildren<QWidget*>()) place(w->objectName(), w);
    for (QAction* a : window.findChildren<QAction*>()) {
        for (QObject* o : a->associatedObjects()) {
            auto* w = qobject_cast<QWidget*>(o);
            // Menus and toolbars hold actions too; only the button standing for it counts.
            if (w && window.isAncestorOf(w) && !w->inherits("QMenu") && !w->inherits("QMenuBar") &&
                !w->inherits("QToolBar"))
                place(a->objectName(), w);
        }
    }
    picture.pixmap = window.grab();
    return picture;
}

WindowPicture cropPicture(const WindowPicture& picture, const QRect& rect) {
    WindowPicture out;
    const qreal ratio = picture.pixmap.devicePixelRatio();
    const QRect inside =
        rect.intersected(QRect(QPoint(0, 0), picture.pixmap.deviceIndependentSize().toSize()));
    out.pixmap = picture.pixmap.copy(QRect(inside.topLeft() * ratio, inside.size() * ratio));
    out.pixmap.setDevicePixelRatio(ratio);
    for (auto it = picture.places.begin(); it != picture.places.end(); ++it)
        if (inside.intersects(it.value()))
            out.places.insert(it.key(), it.value().translated(-inside.topLeft()));
    return out;
}

namespace {

// The platform of a window that is only drawn: the settings of a first start (an empty
// folder), no dialogs, no printer.
class PicturePlatform : public QtPlatform {
public:
    MessageAnswer messageBox(const QString&, const QString&, MessageButtons, MessageIcon) override {
        return MessageAnswer::Cancelled;
    }
    std::optional<QString> showOpen(const QString&, int, const QString&) override { return std::nullopt; }
    std::optional<QString> showSave(const QString&, int, const QString&) override { return std::nullopt; }
    bool showPrinter(bool, const QString&) override { return false; }
    QString currentDirectory() override { return folder_.path(); }
    QString configDirectory() override { return folder_.path(); }

private:
    QTemporaryDir folder_;
};

// Runs take on a main window of its own, as the program starts, laid out offscreen.
template <typename Take>
WindowPicture withStartWindow(const std::function<void(MainWindow&)>& step, Take take) {
    PicturePlatform platform;
    Workbook workbook;
    MainWindow model(platform, workbook);
    MainWindowView view(model, platform);
    model.startUp();
    if (step) step(model);
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.show();
    view.refresh();
    if (view.layout()) view.layout()->activate();
    WindowPicture picture = take(view);
    // The view goes first: the model must not call it on its way out.
    model.changed = nullptr;
    model.showNow = nullptr;
    return picture;
}

}  // namespace

WindowPicture startWindowPicture(const std::function<void(MainWindow&)>& step) {
    return withStartWindow(step, [](MainWindowView& view) { return widgetPicture(view); });
}

WindowPicture startToolbarPicture() {
    return withStartWindow({}, [](MainWindowView& view) { return toolbarPicture(*view.toolbar()); });
}

WindowPicture dataCreationPicture() {
    return startWindowPicture([](MainWindow& model) {
        model.onMenu(QStringLiteral("np"));  // 新規作成
        model.combo1.text = QStringLiteral("一学期　一");
        model.registerHeading();
        const std::pair<int, const char16_t*> example[] = {
            {kColBefore, u"がっこうへ"}, {kColKanji, u"行"}, {kColReading, u"い"}, {kColAfter, u"く。"}};
        for (const auto& [col, text] : example) model.setCellText(1, col, QString::fromUtf16(text));
        model.storeGrid();
        model.selectCell(1, kColKanji);
    });
}
