// A main window model on a fake platform in a temporary current folder.
#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "core/windows/main/main_window.h"
#include "fake_platform.h"
#include "test_util.h"

struct WindowTest : ::testing::Test {
    QTemporaryDir dir;
    FakePlatform platform;
    Workbook wb;
    MainWindow mw{platform, wb};

    void SetUp() override {
        platform.cwd = dir.path();
        platform.programDir = dir.path();
    }
    QString path(const QString& name) const { return dir.filePath(name); }

    // Start-up, a new workbook and a registered heading: the grid is ready for typing.
    void startTyping(const QString& heading = QStringLiteral("一の巻")) {
        mw.startUp();
        mw.onMenu(QStringLiteral("np"));
        mw.combo1.text = heading;
        mw.registerHeading();
    }
    void type(int row, int col, const QString& text) {
        mw.onCellClick(row, col);
        mw.onEntryKeyPress(0);
        mw.onEntryTextEdited(text);
    }
    QString cell(int row, int col) const { return mw.grid.at(row).cell(col).text; }
    QStringList settingsLines() const {
        return readCp932(dir.filePath(QStringLiteral("JRB3.ini"))).split(QStringLiteral("\r\n"));
    }
};
