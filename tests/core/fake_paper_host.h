// The main window as the manuscript paper, ruled paper, text flow and kana position windows
// see it, for the model and widget tests.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <vector>

#include "core/windows/kana_position/kana_position_window.h"
#include "core/windows/manuscript/manuscript_window.h"
#include "core/windows/ruled/ruled_window.h"
#include "core/windows/text_flow/text_flow_window.h"
#include "fake_platform.h"

// The main window as the four windows see it: a grid, the status-bar face, the heading box,
// the problem file, the kana offsets, the printer mode, and which windows are open.
class FakePaperHost : public WindowContext,
                      public ManuscriptHost,
                      public TextFlowHost,
                      public KanaPositionHost {
public:
    FakePlatform fake;
    std::array<std::array<QString, 9>, 11> grid;  // [row][column code]
    QString font = QStringLiteral("ＭＳ Ｐ明朝");
    QString heading;
    QString panel1 = QStringLiteral("ファイル");  // the problem file's path
    double offset1 = 0, offset2 = 0;
    int offsetWrites = 0;
    bool fixedPrinter = false;
    std::vector<std::pair<int, int>> cellWrites;  // (row, column code)
    std::array<bool, 11> toggles{};               // second word shown
    std::vector<int> rowsCleared;
    std::map<WindowId, std::function<void()>> closers;

    Platform& platform() override { return fake; }
    QString fontName() const override { return font; }
    QString gridKanji(int row) override { return grid[static_cast<size_t>(row)][3]; }
    QString gridReading(int row) override { return grid[static_cast<size_t>(row)][4]; }
    bool fixedPrinterMode() const override { return fixedPrinter; }
    QString workbookFolder() const override { return {}; }
    void openWindow(WindowId) override {}
    void nameStep(const QString&) override {}
    void setGridCell(int row, FlowTarget target, const QString& text) override {
        cellWrites.push_back({row, static_cast<int>(target)});
        grid[static_cast<size_t>(row)][static_cast<size_t>(target)] = text;
    }
    bool gridRowHoldsProblem(int row) override {
        if (toggles[static_cast<size_t>(row)]) return true;
        for (int c = 2; c <= 8; ++c)
            if (!grid[static_cast<size_t>(row)][static_cast<size_t>(c)].isEmpty()) return true;
        return false;
    }
    void clearGridRow(int row) override {
        rowsCleared.push_back(row);
        grid[static_cast<size_t>(row)] = {};
        toggles[static_cast<size_t>(row)] = false;
    }
    QString headingBoxText() override { return heading; }
    QString problemFile() const override { return panel1; }
    double kanaOffset1() override { return offset1; }
    double kanaOffset2() override { return offset2; }
    void setKanaOffsets(double o1, double o2) override {
        offset1 = o1;
        offset2 = o2;
        ++offsetWrites;
    }
    void closeWindow(WindowId id) override {
        if (closers.count(id)) closers[id]();
    }
    // What the main window does when a window asks it to show the windows at once.
    std::function<void()> shown;
    void showNow() override {
        if (shown) shown();
    }
};
