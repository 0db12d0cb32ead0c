// The main window on a high-resolution screen: at a scale of 1.5 and 2 (QT_SCALE_FACTOR) no
// control of the client area overlaps another and every text fits its control. The test
// runs itself once per scale, since the scale is read when the application starts; the
// window at each scale is saved to /tmp/jirakubo-scale-<scale>.png to look at.
#include <QProcess>

#include "editing_window.h"
#include "platform/windows/lookup_panel_view.h"

namespace {

// The controls a person sees in the client area, the ones laid over others left out: the
// arrow pad's background lies under its four arrows.
QList<QWidget*> shownControls(QWidget* client) {
    QList<QWidget*> shown;
    for (QWidget* w : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!w->isVisible() || w->objectName() == u"Image1") continue;
        shown << w;
    }
    return shown;
}

// The width a control's text needs against the width it has.
bool textFits(QWidget* w, QString* why) {
    QString text;
    int room = 0;
    if (auto* l = qobject_cast<QLabel*>(w)) {
        text = l->text();
        room = l->contentsRect().width() - 2 * l->margin();
    } else if (auto* b = qobject_cast<QPushButton*>(w)) {
        text = b->text().remove(u'&');
        room = b->width() - 8;
    } else if (auto* c = qobject_cast<QCheckBox*>(w)) {
        text = c->text();
        room = c->width() - 20;
    } else {
        return true;
    }
    if (text.isEmpty() || text.contains(u'<')) return true;  // rich text lays itself out
    const int needed = w->fontMetrics().horizontalAdvance(text);
    if (needed <= room) return true;
    *why = QStringLiteral("%1 \"%2\" needs %3 px, has %4").arg(w->objectName(), text).arg(needed).arg(room);
    return false;
}

}  // namespace

class HighDpiLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void nothingOverlapsAndEveryTextFits() {
        const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR");
        QVERIFY2(!scale.isEmpty(), "run with QT_SCALE_FACTOR");
        EditingWindow w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.view));
        QCOMPARE(w.view.devicePixelRatioF(), scale.toDouble());
        QVERIFY(w.startWorkbook());
        w.model.setCellText(1, kColBefore, QStringLiteral("きのう、"));
        w.model.setCellText(1, kColKanji, QStringLiteral("図書館"));
        w.model.setCellText(1, kColReading, QStringLiteral("としょかん"));
        w.model.setCellText(1, kColAfter, QStringLiteral("へ行った。"));
        w.model.grid.captureFlag = false;
        w.view.refresh();
        w.clickToolbar(12);  // 単漢字表示: the lookup panel beside the grid
        QApplication::processEvents();

        QWidget* client = w.view.findChild<QWidget*>(QStringLiteral("form1_client"));
        QVERIFY(client);
        const QList<QWidget*> shown = shownControls(client);
        QVERIFY(shown.size() > 60);  // rows, entry box, heading, panel
        QStringList faults;
        for (int i = 0; i < shown.size(); ++i) {
            if (!client->rect().contains(shown[i]->geometry()))
                faults << QStringLiteral("%1 outside the client area").arg(shown[i]->objectName());
            for (int k = i + 1; k < shown.size(); ++k)
                if (shown[i]->geometry().intersects(shown[k]->geometry()))
                    faults << QStringLiteral("%1 overlaps %2")
                                  .arg(shown[i]->objectName(), shown[k]->objectName());
            QString why;
            if (!textFits(shown[i], &why)) faults << why;
        }
        // Inside the panels: their controls as laid out.
        for (QWidget* c : w.view.lookupPanel()->findChildren<QWidget*>()) {
            QString why;
            if (c->isVisible() && !textFits(c, &why)) faults << why;
        }
        w.view.grab().save(QStringLiteral("/tmp/jirakubo-scale-%1.png").arg(scale));
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }
};

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")) {
        // Once per scale, each in a process of its own.
        int failed = 0;
        for (const char* scale : {"1.5", "2"}) {
            QProcess run;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::fromLatin1(scale));
            run.setProcessEnvironment(env);
            run.setProcessChannelMode(QProcess::ForwardedChannels);
            run.start(QString::fromLocal8Bit(argv[0]), {});
            run.waitForFinished(120000);
            if (run.exitStatus() != QProcess::NormalExit || run.exitCode() != 0) ++failed;
        }
        return failed;
    }
    QApplication app(argc, argv);
    HighDpiLayoutTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "high_dpi_layout_test.moc"
